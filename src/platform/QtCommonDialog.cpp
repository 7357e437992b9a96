#include "QtCommonDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

QtCommonDialog::QtCommonDialog(QWidget* parent)
    : m_parent(parent)
{
}

void QtCommonDialog::SetParent(QWidget* parent)
{
    m_parent = parent;
}

namespace {

// The dialog's start: the proposed name in the folder, or the folder.
QString StartPath(const FileDialogRequest& request)
{
    if (request.Folder.isEmpty())
        return request.FileName;
    return request.FileName.isEmpty() ? request.Folder : QDir(request.Folder).filePath(request.FileName);
}

} // namespace

QString QtCommonDialog::ShowOpen(const FileDialogRequest& request)
{
    return QFileDialog::getOpenFileName(m_parent, request.Title, StartPath(request), QtFilter(request.Filter));
}

QString QtCommonDialog::ShowSave(const FileDialogRequest& request)
{
    return QFileDialog::getSaveFileName(m_parent, request.Title, StartPath(request), QtFilter(request.Filter));
}

QString QtCommonDialog::QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList lines;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype bracket = description.indexOf(u'(');
        if (bracket >= 0)
            description = description.left(bracket).trimmed();
        // Cameras and Windows write upper-case extensions, and file names
        // here are case-sensitive: offer both.
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(u';')) {
            patterns.append(pattern);
            if (pattern.toUpper() != pattern)
                patterns.append(pattern.toUpper());
        }
        lines.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(u' ')));
    }
    return lines.join(QStringLiteral(";;"));
}
