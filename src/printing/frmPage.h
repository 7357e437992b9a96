#pragma once

#include "common/GroupPicture.h"
#include "platform/Platform.h"
#include "printing/ReportPainter.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QString>

#include <array>

class PageArea;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class QTextEdit;
class QToolButton;

// The print preview: the report page at the size it has on paper, with a
// header box above it, the "Review" and "Date" signature lines below it and
// a footer box at the bottom. The user types the header and footer, chooses
// their fonts with a double click, switches between them with "Header" and
// "Footer", and prints. Everything is placed in twips (15 to a pixel), and
// the printer gets the same twips from its printable area's corner.
class frmPage : public QMainWindow {
    Q_OBJECT

public:
    explicit frmPage(Platform platform, QWidget* parent = nullptr);

    // The report of a group: the window is shown, the header becomes the
    // group file's name (an untitled group keeps the header), the footer the
    // date and time, and the page area is cleared and shows the slots'
    // pictures and markers. groupSlots are the six slots, an empty path for
    // an empty slot.
    void Compose(const QString& fileName, const QList<GroupPicture>& groupSlots, const QString& carValue);

    void mnuPrint_Click();
    void cmdPrint_Click();
    void txtHeader_DblClick();
    void txtfooter_DblClick();
    void mnuHeader_Click();
    void mnuFooter_Click();
    // The font dialog's choice applied to a box: font name, size, bold,
    // italic, underline and the text colour; never strikeout. A cancel
    // changes nothing.
    void ChangeFont(QTextEdit* tb);
    // Asks for the printer and the copies and prints each copy; then the
    // window closes. A cancel prints nothing and leaves the window open.
    void Print();

    // Where a control of the window stands: left, top, width and height in
    // twips.
    [[nodiscard]] QRect Twips(const QWidget* control) const { return m_twips.value(control); }

    QAction* mnuPrint = nullptr;
    QAction* mnuHeader = nullptr;
    QAction* mnuFooter = nullptr;
    QMenu* mnuOptions = nullptr;
    // Adds the damage list as a second page of every copy; off at first.
    QAction* mnuDamageList = nullptr;
    // Draws each picture in its own proportions; off at first, then as last
    // chosen in any preview of the run.
    QAction* mnuKeepProportions = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    // The composed slots laid out and drawn again into the page area.
    void DrawPage();
    // Puts a control at a place in twips.
    void Move(QWidget* control, const QRect& twips);
    void MoveTop(QWidget* control, int top);
    // The steps of printing after the printer dialog: one copy's page.
    void PrintPage();
    void PrintLabel(const QLabel* label);
    // The second page: the damage list between the header's and the
    // footer's corners.
    void PrintDamageList();

    Platform m_platform;
    QScrollArea* Scroller = nullptr;
    QWidget* Client = nullptr;
    QTextEdit* txtHeader = nullptr;
    QToolButton* cmdPrint = nullptr;
    PageArea* PrnBox = nullptr;
    std::array<QFrame*, 5> Lines {};
    QLabel* lbDate = nullptr;
    QLabel* lbName = nullptr;
    QTextEdit* txtfooter = nullptr;
    QHash<const QWidget*, QRect> m_twips;

    // What the damage list of the composed group shows.
    QList<DamageListEntry> m_damageList;
    // The composed group's slots, laid out again when Keep Proportions changes.
    QList<GroupPicture> m_slots;
    QString m_carValue;
};
