#include "MainWindow.h"

#include "PaintRecorder.h"
#include "TestFiles.h"
#include "app/HelpWindow.h"
#include "document/GroupFile.h"
#include "objects/MarkerLayer.h"
#include "viewport/PictureSurface.h"
#include "viewport/Thumbnail.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

MainWindow::MainWindow()
{
    HelpWindow::ConnectInstructions(window, fake);
    window.Form_Load(QString());
}

QString MainWindow::Group(
    const QString& name, const QString& carValue, const QList<GroupPicture>& pictures, QSize pictureSize)
{
    for (const GroupPicture& picture : pictures) {
        if (!picture.Path.contains(QStringLiteral("missing")) && !QFile::exists(picture.Path))
            WriteJpeg(picture.Path, pictureSize);
    }
    const QString path = Path(name);
    WriteBytes(path, FormatGroupFile(carValue, pictures));
    return path;
}

void MainWindow::OpenTwoPictures(const QString& firstList, const QString& secondList, const QString& carValue)
{
    window.OpenFile(Group(QStringLiteral("Smith.grp"), carValue,
        { { Path(QStringLiteral("a.jpg")), firstList }, { Path(QStringLiteral("b.jpg")), secondList } },
        QSize(629, 480)));
}

void MainWindow::ShowActive()
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qFatal("The window did not become active");
}

QString MainWindow::Label(const char* name) const
{
    return Control<QLabel>(window, name)->text();
}

QString MainWindow::Caption(int slot) const
{
    return Control<QLabel>(window, QStringLiteral("LbFileName%1").arg(slot))->text();
}

QStringList MainWindow::Captions() const
{
    QStringList captions;
    for (int slot = 0; slot < GroupSlotCount; ++slot)
        captions.append(Caption(slot));
    return captions;
}

QLineEdit* MainWindow::Word(int field) const
{
    return Control<QLineEdit>(window, QStringLiteral("txtWord%1").arg(field));
}

QStringList MainWindow::Names() const
{
    QStringList names;
    for (int field = 0; field < 4; ++field)
        names.append(Word(field)->text());
    return names;
}

QLineEdit* MainWindow::CarValue() const
{
    return Control<QLineEdit>(window, "txtNum");
}

Thumbnail* MainWindow::IMG(int slot) const
{
    return Control<Thumbnail>(window, QStringLiteral("IMG%1").arg(slot));
}

PictureSurface* MainWindow::PicZoom() const
{
    return Control<PictureSurface>(window, "PicZoom");
}

namespace {

QList<PaintRecorder::Record> Painted(QWidget* widget)
{
    return PaintRecorder([widget](QPainter& painter) { widget->render(&painter); }).Records;
}

} // namespace

QString MainWindow::Shows(int slot) const
{
    QStringList texts;
    for (const PaintRecorder::Record& record : Painted(IMG(slot))) {
        if (record.Kind == QStringLiteral("image"))
            return QStringLiteral("picture");
        if (record.Kind == QStringLiteral("text"))
            texts.append(record.Text);
    }
    return texts.join(u' ');
}

QColor MainWindow::TextColor(QWidget* widget)
{
    for (const PaintRecorder::Record& record : Painted(widget)) {
        if (record.Kind == QStringLiteral("text"))
            return record.Colour;
    }
    return {};
}

QPoint MainWindow::WindowPlace(const char* name) const
{
    return Control<QWidget>(window, name)->mapTo(Control<QWidget>(window, "Screen"), QPoint());
}

bool MainWindow::Changed()
{
    const qsizetype calls = fake.Calls.size();
    fake.Answers.prepend(MsgAnswer::Cancel);
    window.QuerySave();
    const bool asked = fake.Calls.size() > calls;
    if (asked)
        fake.Calls.remove(calls);
    else
        fake.Answers.removeFirst();
    return asked;
}

int MainWindow::Current() const
{
    // The frame Border stands around the current slot's thumbnail.
    const auto* border = Control<QWidget>(window, "Border");
    const QRect frame(border->mapTo(&window, QPoint()), border->size());
    for (int slot = 0; slot < GroupSlotCount; ++slot) {
        const QWidget* thumbnail = IMG(slot);
        if (frame.contains(QRect(thumbnail->mapTo(&window, QPoint()), thumbnail->size())))
            return slot;
    }
    return -1;
}

int MainWindow::Selected() const
{
    return OBJ().Model().Selected();
}

QPoint MainWindow::Centre(int marker) const
{
    return OBJ().Model().Item(marker).Place.center().toPoint();
}

void MainWindow::Click(int marker, Qt::MouseButton button) const
{
    QTest::mouseClick(&OBJ(), button, {}, Centre(marker));
}

void MainWindow::DoubleClick(int marker) const
{
    const QPoint centre = Centre(marker);
    QTest::mouseClick(&OBJ(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(&OBJ(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(&OBJ(), Qt::LeftButton, {}, centre);
}

void MainWindow::Drag(QPoint from, const QList<QPoint>& steps) const
{
    QTest::mouseMove(&OBJ(), from);
    QTest::mousePress(&OBJ(), Qt::LeftButton, {}, from);
    for (const QPoint& step : steps)
        QTest::mouseMove(&OBJ(), step);
    QTest::mouseRelease(&OBJ(), Qt::LeftButton, {}, steps.isEmpty() ? from : steps.last());
}

QList<QPoint> MainWindow::Steps(QPoint from, QPoint to, int count)
{
    QList<QPoint> steps;
    for (int step = 1; step <= count; ++step)
        steps.append(from + (to - from) * step / count);
    return steps;
}
