#pragma once

#include <QUrl>

// The desktop shell: the association of group files with this program, and
// opening a page or an address in the user's web browser.
class Shell {
public:
    virtual ~Shell() = default;

    // Registers ".grp" files for the current user; every failure is ignored.
    virtual void RegisterFileType() = 0;
    // Whether a browser could be started for the address.
    [[nodiscard]] virtual bool OpenAddress(const QUrl& address) = 0;
};
