#include "app/CommandLine.h"
#include "document/frmImage.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtMessageBoxes.h"
#include "viewport/PictureLoader.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nimbrel"));
    ConfigurePictureReading();

    QtCommonDialog dialogs;
    QtMessageBoxes messages;
    frmImage window(Platform { dialogs, messages });
    dialogs.SetParent(&window);
    messages.SetParent(&window);

    window.Form_Load(CommandLinePath(QApplication::arguments().mid(1)));
    window.showMaximized();
    return QApplication::exec();
}
