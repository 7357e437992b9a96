#include "SavePathPrompt.h"

#include "common/ProductTitle.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>

QString AskSavePath(const Platform& platform, const NameFieldTexts& names, const QString& folder)
{
    const QString groupExtension = QStringLiteral(".grp");
    const QString title = DialogTitle(QStringLiteral("Save File"));
    QString path = platform.Dlg.ShowSave(
        { title, QStringLiteral("Image Group Files (*.grp)|*.grp"), ProposedFileName(names), folder });
    if (path.isEmpty() || path.endsWith(groupExtension, Qt::CaseInsensitive))
        return path;
    // Without its extension the group would be hidden by the program's own
    // Open dialog. The dialog asked about the name it returned; this asks
    // about the name that is written.
    path += groupExtension;
    if (QFileInfo::exists(path)) {
        const MsgAnswer answer = platform.Msg.Show(
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path)), title,
            MsgButtons::YesNo, MsgIcon::Information);
        if (answer != MsgAnswer::Yes)
            return {};
    }
    return path;
}
