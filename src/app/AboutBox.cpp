#include "AboutBox.h"

#include "ProgramVersion.h"
#include "document/MainMenus.h"
#include "document/frmImage.h"
#include "platform/MessageBoxes.h"

#include <QAction>

QString AboutText()
{
    return QStringLiteral("Nimbrel %1\nRecords damage on a vehicle from photographs.\n"
                          "Free software under the MIT licence.\nQt %2")
        .arg(ProgramVersion(), QString::fromLatin1(qVersion()));
}

void ConnectAbout(frmImage& window, MessageBoxes& messages)
{
    QObject::connect(window.Menu().mnuAbout, &QAction::triggered, &window, [&messages] {
        messages.Show(AboutText(), QStringLiteral("About Nimbrel"), MsgButtons::Ok, MsgIcon::Information);
    });
}
