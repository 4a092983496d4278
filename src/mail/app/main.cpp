#include "mail/widgets/MailUnit.h"
#include "shared/Version.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s v%s\n", ly::kMailProductName, ly::kVersionText);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ly::kMailProductName));
    TFrmSendMail window;
    // Without an account the program ends at once, whatever other windows are about.
    QObject::connect(&window, &TFrmSendMail::ProgramEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
