#include "QtPrinter.h"

#include "common/UserError.h"
#include "common/WholeFile.h"

#include <QFile>
#include <QPrinter>

#include <cerrno>
#include <cstring>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

namespace {

UserError FileFailure(const QString& path, const QString& reason)
{
    return UserError(QStringLiteral("Cannot write the file %1: %2.").arg(path, reason));
}

// The document the printer made in a file in memory, which is closed. A
// write into memory that failed (past a file size limit) leaves it without
// its end mark; one more write then says why.
QByteArray WholeDocument(int memory)
{
    QFile file;
    QByteArray bytes;
    if (file.open(memory, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        bytes = file.readAll();
    const int failure = bytes.trimmed().endsWith("%%EOF") ? 0 : ::write(memory, "\n", 1) < 0 ? errno : EIO;
    ::close(memory);
    if (failure)
        throw UserError(QString::fromLocal8Bit(std::strerror(failure)));
    return bytes;
}

} // namespace

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter()
{
    KillDoc();
}

QPrinter& QtPrinter::Device()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

QPainter& QtPrinter::Painter()
{
    if (m_painter.isActive())
        return m_painter;
    QPrinter& printer = Device();
    BeginFile();
    if (!m_painter.begin(&printer)) {
        KillDoc();
        throw UserError(
            QStringLiteral("Cannot print on the printer %1: it could not be opened.").arg(printer.printerName()));
    }
    // The painter's origin is the printable area's top-left corner.
    TwipsCanvas::ScaleToTwips(m_painter);
    return m_painter;
}

void QtPrinter::BeginFile()
{
    QPrinter& printer = Device();
    const QString path = printer.outputFileName();
    if (!WritesFile() || path.isEmpty())
        return;
    try {
        CheckReplaceable(path);
    } catch (const UserError& failure) {
        throw FileFailure(path, failure.Text());
    }
    // The printer makes the document with all its settings (grey scale too)
    // into memory, as it would make the file, but writes no byte of it there.
    m_memory = ::memfd_create("nimbrel-print", MFD_CLOEXEC);
    if (m_memory < 0)
        throw FileFailure(path, QString::fromLocal8Bit(std::strerror(errno)));
    m_target = path;
    printer.setOutputFileName(QStringLiteral("/proc/self/fd/%1").arg(m_memory));
}

int QtPrinter::EndFile()
{
    if (m_memory >= 0)
        Device().setOutputFileName(std::exchange(m_target, QString()));
    return std::exchange(m_memory, -1);
}

void QtPrinter::SetFont(const QFont& font)
{
    m_canvas.SetFont(font);
}

void QtPrinter::SetCurrentX(double x)
{
    m_canvas.SetCurrentX(x);
}

void QtPrinter::SetCurrentY(double y)
{
    m_canvas.SetCurrentY(y);
}

void QtPrinter::PrintText(const QString& text)
{
    m_canvas.PrintText(Painter(), text);
}

void QtPrinter::DrawPicture(double left, double top, const QPicture& picture)
{
    m_canvas.DrawPicture(Painter(), left, top, picture);
}

void QtPrinter::SetPenWidth(int width)
{
    m_canvas.SetPenWidth(width);
}

void QtPrinter::DrawLine(double x1, double y1, double x2, double y2)
{
    m_canvas.DrawLine(Painter(), x1, y1, x2, y2);
}

void QtPrinter::NewPage()
{
    Painter();
    if (!Device().newPage())
        throw UserError(QStringLiteral("Cannot start a new page on the printer %1.").arg(Device().printerName()));
    m_canvas.Home();
}

void QtPrinter::EndDoc()
{
    m_canvas.Home();
    if (!m_painter.isActive())
        return;
    m_painter.end();
    const QString path = m_target;
    const int memory = EndFile();
    if (memory < 0)
        return;
    try {
        ReplaceFile(path, WholeDocument(memory));
    } catch (const UserError& failure) {
        throw FileFailure(path, failure.Text());
    }
}

void QtPrinter::KillDoc()
{
    if (m_painter.isActive()) {
        if (m_memory < 0)
            m_printer->abort();
        m_painter.end();
    }
    if (const int memory = EndFile(); memory >= 0)
        ::close(memory);
    m_canvas.Home();
}

bool QtPrinter::WritesFile() const
{
    return m_printer && (m_printer->outputFormat() == QPrinter::PdfFormat || !m_printer->outputFileName().isEmpty());
}
