#include "Controls.h"

#include "document/frmImage.h"
#include "objects/MarkerLayer.h"
#include "viewport/ThumbnailStrip.h"

QString SlotPath(const frmImage& window, int slot)
{
    return window.findChild<ThumbnailStrip*>()->PicturePath(slot);
}

QString SlotList(const frmImage& window, int slot)
{
    return window.findChild<ThumbnailStrip*>()->ObjectList(slot);
}

MarkerLayer& Markers(const frmImage& window)
{
    return *Control<MarkerLayer>(window, QStringLiteral("OBJ"));
}
