#include "FakePlatform.h"

#include "common/NumberText.h"

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

QString FakePlatform::NextPath()
{
    return Paths.isEmpty() ? QString() : Paths.takeFirst();
}
