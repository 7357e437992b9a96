// What a screen reader says of each window: every control a person reaches by a name, no two alike.
#include "DataRows.h"
#include "MainWindow.h"
#include "app/HelpWindow.h"
#include "objects/frmData.h"
#include "printing/frmPage.h"

#include <QAccessible>

// The names of the enabled, shown controls under a node, menus and the insides of texts aside: what is pressed or
// focused, and a bare surface the mouse acts on.
static QStringList Controls(QAccessibleInterface* node)
{
    QStringList names;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* c = node->child(i);
        const bool shown = !c->state().invisible && !c->state().disabled && c->role() != QAccessible::MenuBar;
        if (shown
            && (!c->actionInterface()->actionNames().isEmpty()
                || (c->role() == QAccessible::Client && !c->childCount()
                    && !static_cast<QWidget*>(c->object())->testAttribute(Qt::WA_TransparentForMouseEvents))))
            names << c->text(QAccessible::Name);
        names << (shown && !c->textInterface() ? Controls(c) : QStringList());
    }
    return names;
}

class AccessibleTest : public QObject {
    Q_OBJECT

private slots:
    // Smith.grp open with a picture missing, the first shown and its Dent (marker 1) clicked.
    void everyControlNamedOnce_data()
    {
        Columns<int, QString>("window", "names");
        Row("main window", 0,
            "Workspace, Picture 1: a, Picture 2: b, Picture 3: missing, Picture 4: empty, Picture 5: empty, Picture 6: "
            "empty, File Name, Category:, Type:, ID:, Estimated Value:, Picture area, Marker 1: Dent, Ding, Dent, "
            "Rust, Scratch, Stain, Tear, Cig Burn, Mechanical Damage, Electrical Damage, General Damage, Zoom In, Zoom "
            "Out, Actual Size, Scale to Fit");
        Row("details", 1, "Date, Comments, Cost Est., OK, CLEAR");
        Row("preview", 2, "Page preview, Header, Print, Report page, Footer");
        Row("help", 3, "Help page, Contents, Close");
    }
    void everyControlNamedOnce()
    {
        QFETCH(int, window);
        QFETCH(QString, names);
        MainWindow w;
        QCOMPARE(Control<QWidget>(w.window, "IMG2")->accessibleName(), "Picture 3: empty");
        w.window.OpenFile(w.Group("Smith.grp", "8500",
            { { w.Path("a.jpg"), "1;2;2;30;30;1;250;;,3;17;4;30;30;3;;;," }, { w.Path("b.jpg"), "" },
                { w.Path("missing.jpg"), "" } },
            QSize(629, 480)));
        w.window.ClipClicked(0, 1);
        w.Click(1);
        QString detail;
        double total = 0;
        frmData data(detail, total, "");
        HelpWindow help(QUrl("qrc:/help/index.html"));
        QWidget* shown = QList<QWidget*> { &w.window, &data, new frmPage(w.fake.Bundle(), &w.window), &help }[window];
        shown->show();
        const QStringList named = Controls(QAccessible::queryAccessibleInterface(shown));
        QCOMPARE(QSet<QString>(named.begin(), named.end()).size(), named.size());
        QCOMPARE(named.join(", "), names);
        // The figures by their rows, what they count described; the marker's details, as its tool tip shows them.
        QCOMPARE(Control<QWidget>(w.window, "LblRes")->accessibleName() + " / "
                + Control<QWidget>(w.window, "LblCount")->accessibleDescription() + " / "
                + Control<QWidget>(w.window, "OBJ")->accessibleDescription(),
            "Current Value: 8250 / Markers on this picture / 250;;");
    }
};

QTEST_MAIN(AccessibleTest)
#include "tst_accessible.moc"
