#include "WorkspaceLayout.h"

#include "viewport/SlotLayout.h"
#include "viewport/ViewGeometry.h"

WorkspaceLayout LayOutWorkspace(QSize client, bool largePictureArea)
{
    const QSize room = largePictureArea ? (client - DesignClientSize).expandedTo(QSize(0, 0)) : QSize(0, 0);
    const int wider = room.width();
    const int taller = room.height();
    return { ViewportBox.adjusted(0, 0, wider, taller), HorizontalBarPlace.adjusted(0, taller, wider, taller),
        VerticalBarPlace.adjusted(wider, 0, wider, taller), wider };
}
