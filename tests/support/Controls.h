#pragma once

#include <QObject>
#include <QString>

#include <cstdlib>

class frmImage;
class MarkerLayer;

// Tests reach a window's controls the way a user sees them: by name.

// The control of a window with an objectName; the test stops when there is
// none.
template <class T> T* Control(const QObject& window, const QString& name)
{
    T* control = window.findChild<T*>(name);
    if (!control) {
        qFatal("The window has no control named %s", qPrintable(name));
        std::abort();
    }
    return control;
}

// A slot's picture path and object list, as the thumbnail strip holds them.
[[nodiscard]] QString SlotPath(const frmImage& window, int slot);
[[nodiscard]] QString SlotList(const frmImage& window, int slot);
// The marker layer of the picture surface.
[[nodiscard]] MarkerLayer& Markers(const frmImage& window);
