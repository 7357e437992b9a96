#pragma once

#include "platform/Shell.h"

// The shell of a freedesktop.org desktop: the association as files below the
// user's XDG folders (ModAssociate), or the package's when it installed them,
// addresses opened through QDesktopServices.
class QtShell : public Shell {
public:
    void RegisterFileType() override;
    // Only when the desktop knows a web browser: otherwise QDesktopServices
    // may hand the address to an opener that then finds none, and the user
    // would see nothing.
    [[nodiscard]] bool OpenAddress(const QUrl& address) override;
};
