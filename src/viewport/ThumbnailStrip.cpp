#include "ThumbnailStrip.h"

#include "FittedViews.h"
#include "OutlineBox.h"
#include "SlotCaption.h"
#include "SlotLayout.h"
#include "Thumbnail.h"
#include "common/PathText.h"

namespace {

// The strip covers the slots and the frame; its children are placed in
// window pixels less this origin.
constexpr QRect StripPlace { 20, 32, 980, 143 };

const QColor DesignOutlineColor = Qt::white;
const QColor DesignActiveClipColor = Qt::red;

QRect InStrip(const QRect& windowPlace)
{
    return windowPlace.translated(-StripPlace.topLeft());
}

QString EmptyCaption(int slot)
{
    return QStringLiteral("Pic %1").arg(slot + 1);
}

// What a screen reader says of a thumbnail: its slot and its picture's name.
QString ThumbnailName(int slot, const QString& picture)
{
    return QStringLiteral("Picture %1: %2").arg(QString::number(slot + 1), picture);
}

} // namespace

ThumbnailStrip::ThumbnailStrip(QWidget* window)
    : QWidget(window)
{
    setGeometry(StripPlace);
    m_views = new FittedViews(this);
    for (int i = 0; i < GroupSlotCount; ++i) {
        const SlotPlace& place = SlotPlaces[i];
        IMG[i] = new Thumbnail(this);
        IMG[i]->setObjectName(QStringLiteral("IMG%1").arg(i));
        IMG[i]->setGeometry(InStrip(place.Thumbnail));
        connect(IMG[i], &Thumbnail::Pressed, this,
            [this, i](int button, QPoint position) { emit Pressed(i, button, position); });
        Box[i] = new OutlineBox(DesignOutlineColor, 1, this);
        Box[i]->setObjectName(QStringLiteral("Box%1").arg(i));
        Box[i]->setGeometry(InStrip(place.Outline));
        LbFileName[i] = new SlotCaption(this);
        LbFileName[i]->setObjectName(QStringLiteral("LbFileName%1").arg(i));
        LbFileName[i]->setGeometry(InStrip(place.Caption));
        ClearSlot(i);
    }
    Border = new OutlineBox(DesignActiveClipColor, 2, this);
    Border->setObjectName(QStringLiteral("Border"));
    Border->setGeometry(InStrip(ActiveFrameStart));
}

void ThumbnailStrip::SetOutlineColor(const QColor& color)
{
    for (int i = 0; i < GroupSlotCount; ++i) {
        Box[i]->SetBorderColor(color);
        LbFileName[i]->SetTextColor(color);
    }
}

QColor ThumbnailStrip::OutlineColor() const
{
    return Box[0]->BorderColor();
}

void ThumbnailStrip::SetActiveClipColor(const QColor& color)
{
    Border->SetBorderColor(color);
}

QColor ThumbnailStrip::ActiveClipColor() const
{
    return Border->BorderColor();
}

QString ThumbnailStrip::PicturePath(int slot) const
{
    return IMG[slot]->Tag;
}

QString ThumbnailStrip::ObjectList(int slot) const
{
    return LbFileName[slot]->Tag;
}

void ThumbnailStrip::SetObjectList(int slot, const QString& list)
{
    LbFileName[slot]->Tag = list;
}

QString ThumbnailStrip::Caption(int slot) const
{
    return LbFileName[slot]->text();
}

QWidget* ThumbnailStrip::SlotWidget(int slot) const
{
    return IMG[slot];
}

void ThumbnailStrip::ClearSlot(int slot)
{
    LbFileName[slot]->SetCaption(EmptyCaption(slot));
    LbFileName[slot]->Tag.clear();
    IMG[slot]->ClearPicture();
    IMG[slot]->Tag.clear();
    IMG[slot]->setToolTip(QString());
    IMG[slot]->setAccessibleName(ThumbnailName(slot, QStringLiteral("empty")));
    m_views->Forget(slot);
}

void ThumbnailStrip::ShowPicture(int slot, const QString& path, const QString& caption, const QImage& thumbnail)
{
    if (m_views->PathOf(slot) != path)
        m_views->Decode(slot, path);
    IMG[slot]->SetPicture(thumbnail);
    IMG[slot]->Tag = path;
    IMG[slot]->setToolTip(path);
    IMG[slot]->setAccessibleName(ThumbnailName(slot, caption));
    LbFileName[slot]->SetCaption(caption);
}

void ThumbnailStrip::LoadSlots(const QList<GroupPicture>& pictures)
{
    QStringList paths;
    for (const GroupPicture& picture : pictures)
        paths.append(picture.Path);
    const QList<LoadedPicture> loaded = LoadPictures(paths, ThumbnailSize, m_views->Box());
    for (int slot = 0; slot < int(qMin(pictures.size(), GroupSlotCount)); ++slot) {
        if (!loaded[slot].View.Pixels.isNull())
            m_views->Keep(slot, loaded[slot].View);
        PlacePicture(slot, paths[slot], FileNameFromPath(paths[slot]), loaded[slot]);
    }
}

void ThumbnailStrip::PlacePicture(int slot, const QString& path, const QString& caption, const LoadedPicture& loaded)
{
    if (!loaded.Failure) {
        ShowPicture(slot, path, caption, loaded.Picture);
        return;
    }
    const bool missing = loaded.Failure->GetKind() == PictureError::Kind::Missing;
    IMG[slot]->SetPlaceholder(missing ? QStringLiteral("picture missing") : QStringLiteral("cannot read"));
    IMG[slot]->Tag = path;
    IMG[slot]->setToolTip(path + u'\n' + loaded.Failure->Text());
    IMG[slot]->setAccessibleName(ThumbnailName(slot, caption));
    LbFileName[slot]->SetCaption(caption);
}

void ThumbnailStrip::PlaceActiveFrame(int slot)
{
    Border->move(InStrip(QRect(SlotPlaces[slot].Outline.left() - ActiveFrameMargin,
                             SlotPlaces[slot].Thumbnail.top() - ActiveFrameMargin, 1, 1))
                     .topLeft());
}

QList<GroupPicture> ThumbnailStrip::FilledSlots() const
{
    QList<GroupPicture> pictures;
    for (int i = 0; i < GroupSlotCount; ++i) {
        if (!IsEmpty(i))
            pictures.append({ PicturePath(i), ObjectList(i) });
    }
    return pictures;
}

QList<GroupPicture> ThumbnailStrip::AllSlots() const
{
    QList<GroupPicture> pictures;
    for (int i = 0; i < GroupSlotCount; ++i)
        pictures.append({ PicturePath(i), ObjectList(i) });
    return pictures;
}
