#include "FakePlatform.h"

#include "common/NumberText.h"
#include "common/UserError.h"

#include <QLocale>
#include <QStringView>

QList<FakePlatform::Call> FakePlatform::Messages() const
{
    QList<Call> messages;
    for (const Call& call : Calls) {
        if (call.Kind == QStringLiteral("message"))
            messages.append(call);
    }
    return messages;
}

FakePlatform::Call FakePlatform::LastMessage() const
{
    const QList<Call> messages = Messages();
    return messages.isEmpty() ? Call {} : messages.last();
}

QString FakePlatform::ShowOpen(const FileDialogRequest& request)
{
    Calls.append({ QStringLiteral("open"), request.FileName, request.Title, request.Filter, MsgButtons::Ok,
        MsgIcon::Information, request.Folder });
    return NextPath();
}

QStringList FakePlatform::ShowOpenMany(const FileDialogRequest& request)
{
    Calls.append({ QStringLiteral("open many"), request.FileName, request.Title, request.Filter, MsgButtons::Ok,
        MsgIcon::Information, request.Folder });
    return NextPath().split(u'\n', Qt::SkipEmptyParts);
}

QString FakePlatform::ShowSave(const FileDialogRequest& request)
{
    Calls.append({ QStringLiteral("save"), request.FileName, request.Title, request.Filter, MsgButtons::Ok,
        MsgIcon::Information, request.Folder });
    return NextPath();
}

MsgAnswer FakePlatform::Show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    Calls.append({ QStringLiteral("message"), text, title, QString(), buttons, icon, QString() });
    return Answers.isEmpty() ? MsgAnswer::Ok : Answers.takeFirst();
}

void FakePlatform::ShowDetails(QString& objData, double& objIdTotal)
{
    Calls.append(
        { QStringLiteral("details"), objData, QString(), QString(), MsgButtons::Ok, MsgIcon::Information, QString() });
    const std::optional<QString> answer = DetailAnswers.isEmpty() ? std::nullopt : DetailAnswers.takeFirst();
    if (!answer)
        return;
    const auto cost
        = [](const QString& detail) { return NumericValue(QStringView(detail).left(detail.indexOf(u';'))); };
    objIdTotal += cost(*answer) - cost(objData);
    objData = *answer;
}

bool FakePlatform::OpenAddress(const QUrl& address)
{
    OpenedAddresses.append(address);
    return BrowserStarts;
}

QString FakePlatform::NextPath()
{
    return Paths.isEmpty() ? QString() : Paths.takeFirst();
}

namespace {

// A position as the printer's record writes it: 840, 4123.5.
QString Number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QList<QStringList> FakePlatform::Documents() const
{
    QList<QStringList> documents;
    QStringList document;
    for (const QString& line : Printed) {
        document.append(line);
        if (line == QStringLiteral("end")) {
            documents.append(document);
            document.clear();
        }
    }
    return documents;
}

QString FakePlatform::FontText(const QFont& font)
{
    QString text = font.family() + u' ' + Number(font.pointSizeF());
    if (font.bold())
        text += QStringLiteral(" bold");
    if (font.italic())
        text += QStringLiteral(" italic");
    if (font.underline())
        text += QStringLiteral(" underline");
    if (font.strikeOut())
        text += QStringLiteral(" strikeout");
    return text;
}

std::optional<FontChoice> FakePlatform::ShowFont(const QFont& initial, QWidget* owner)
{
    Calls.append({ QStringLiteral("font"), FontText(initial), QString(), QString(), MsgButtons::Ok,
        MsgIcon::Information, QString(), owner });
    return FontAnswers.isEmpty() ? std::nullopt : FontAnswers.takeFirst();
}

std::optional<QColor> FakePlatform::ShowColor(const QString& title)
{
    Calls.append(
        { QStringLiteral("color"), QString(), title, QString(), MsgButtons::Ok, MsgIcon::Information, QString() });
    return ColorAnswers.isEmpty() ? std::nullopt : ColorAnswers.takeFirst();
}

std::optional<int> FakePlatform::ShowPrinter(QWidget* owner)
{
    Calls.append({ QStringLiteral("printer"), QString(), QString(), QString(), MsgButtons::Ok, MsgIcon::Information,
        QString(), owner });
    return PrinterAnswers.isEmpty() ? std::nullopt : PrinterAnswers.takeFirst();
}

void FakePlatform::Print(const QString& line)
{
    if (!PrinterFailure.isEmpty())
        throw UserError(PrinterFailure);
    Printed.append(line);
}

void FakePlatform::SetFont(const QFont& font)
{
    Print(QStringLiteral("font ") + FontText(font));
}

void FakePlatform::SetCurrentX(double x)
{
    Print(QStringLiteral("x ") + Number(x));
}

void FakePlatform::SetCurrentY(double y)
{
    Print(QStringLiteral("y ") + Number(y));
}

void FakePlatform::PrintText(const QString& text)
{
    Print(QStringLiteral("text ") + text);
}

void FakePlatform::DrawPicture(double left, double top, const QPicture& picture)
{
    Print(QStringLiteral("picture %1 %2").arg(Number(left), Number(top)));
    PrintedPictures.append(picture);
}

void FakePlatform::SetPenWidth(int width)
{
    Print(QStringLiteral("pen %1").arg(width));
}

void FakePlatform::DrawLine(double x1, double y1, double x2, double y2)
{
    Print(QStringLiteral("line %1 %2 %3 %4").arg(Number(x1), Number(y1), Number(x2), Number(y2)));
}

void FakePlatform::NewPage()
{
    Print(QStringLiteral("page"));
}

void FakePlatform::EndDoc()
{
    Print(QStringLiteral("end"));
}

void FakePlatform::KillDoc()
{
    // Abandoning never fails, so that a failed print can clean up.
    Printed.append(QStringLiteral("kill"));
}
