#pragma once

#include "PictureLoader.h"
#include "common/GroupPicture.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>

class FittedViews;
class OutlineBox;
class SlotCaption;
class Thumbnail;

// The strip of the six picture slots above the viewport. A slot is its
// thumbnail (IMG: the picture, its full path as tag), its caption
// (LbFileName: the picture's name or "Pic n", the slot's object list as tag)
// and its outline (Box); the frame Border surrounds the current slot.
class ThumbnailStrip : public QWidget {
    Q_OBJECT

public:
    explicit ThumbnailStrip(QWidget* window);

    // The picture's full path; empty for an empty slot.
    [[nodiscard]] QString PicturePath(int slot) const;
    [[nodiscard]] bool IsEmpty(int slot) const { return PicturePath(slot).isEmpty(); }
    // The slot's object list: every marker of its picture as text.
    [[nodiscard]] QString ObjectList(int slot) const;
    void SetObjectList(int slot, const QString& list);
    [[nodiscard]] QString Caption(int slot) const;
    // The slot's thumbnail, where files are dropped into the slot.
    [[nodiscard]] QWidget* SlotWidget(int slot) const;
    // The pixels of the slots' fitted views, kept for showing them.
    [[nodiscard]] FittedViews& Views() const { return *m_views; }

    // The slot emptied: "Pic n", no picture, no path, no markers.
    void ClearSlot(int slot);
    // A picture and its thumbnail in a slot; another picture than the slot
    // had has its fitted view decoded in the background.
    void ShowPicture(int slot, const QString& path, const QString& caption, const QImage& thumbnail);
    // The pictures of a group in slots 0 on, each captioned with its file
    // name; their thumbnails are decoded all at once and are in place when
    // this returns, with the fitted views the same decodes made (the others
    // follow in the background). A picture that cannot be shown keeps its
    // slot with a placeholder naming why; the tool tip gives the path and
    // the reason.
    void LoadSlots(const QList<GroupPicture>& pictures);
    // The frame moves to a slot: 7 pixels left of its outline, above its
    // thumbnail.
    void PlaceActiveFrame(int slot);

    // The colour of every slot's outline and caption, empty slots included.
    void SetOutlineColor(const QColor& color);
    // The colour of the first slot's outline.
    [[nodiscard]] QColor OutlineColor() const;
    // The colour of the frame around the current slot.
    void SetActiveClipColor(const QColor& color);
    [[nodiscard]] QColor ActiveClipColor() const;

    // The paths and object lists of the filled slots, in slot order.
    [[nodiscard]] QList<GroupPicture> FilledSlots() const;
    // The paths and object lists of all six slots, an empty path for an
    // empty slot.
    [[nodiscard]] QList<GroupPicture> AllSlots() const;

signals:
    // A press on a slot's thumbnail; button: 1 left, 2 right, 4 middle.
    void Pressed(int index, int button, QPoint globalPosition);

private:
    void PlacePicture(int slot, const QString& path, const QString& caption, const LoadedPicture& loaded);

    std::array<Thumbnail*, GroupSlotCount> IMG {};
    std::array<SlotCaption*, GroupSlotCount> LbFileName {};
    std::array<OutlineBox*, GroupSlotCount> Box {};
    OutlineBox* Border = nullptr;
    FittedViews* m_views = nullptr;
};
