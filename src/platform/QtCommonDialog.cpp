#include "QtCommonDialog.h"

#include "FontColorDialog.h"
#include "QtPrinter.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

QtCommonDialog::QtCommonDialog(QtPrinter& printer, QWidget* parent)
    : m_printer(printer)
    , m_parent(parent)
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

QStringList QtCommonDialog::ShowOpenMany(const FileDialogRequest& request)
{
    return QFileDialog::getOpenFileNames(m_parent, request.Title, StartPath(request), QtFilter(request.Filter));
}

QString QtCommonDialog::ShowSave(const FileDialogRequest& request)
{
    return QFileDialog::getSaveFileName(m_parent, request.Title, StartPath(request), QtFilter(request.Filter));
}

std::optional<FontChoice> QtCommonDialog::ShowFont(const QFont& initial, QWidget* owner)
{
    FontColorDialog dialog(
        m_lastFont.value_or(FontChoice { initial, QColor(Qt::black), initial.strikeOut() }), owner ? owner : m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    m_lastFont = dialog.Choice();
    return m_lastFont;
}

std::optional<QColor> QtCommonDialog::ShowColor(const QString& title)
{
    const QColor color = QColorDialog::getColor(QColor(Qt::black), m_parent, title);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

std::optional<int> QtCommonDialog::ShowPrinter(QWidget* owner)
{
    QPrinter& printer = m_printer.Device();
    QPrintDialog dialog(&printer, owner ? owner : m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // The program prints each copy itself; the print system must not
    // multiply them again.
    const int copies = qBound(1, printer.copyCount(), 32767);
    printer.setCopyCount(1);
    return copies;
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
