#include "editor/widgets/AppException.h"
#include "editor/widgets/MainUnit.h"
#include "shared/Version.h"

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", ly::kProductVersionText);
        return 0;
    }
    LyApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ly::kProductName));
    TFrmMain FrmMain(QApplication::arguments().mid(1));
    FrmMain.show();
    return app.exec();
}
