#include "editor/widgets/AppException.h"
#include "editor/widgets/MainUnit.h"
#include "platform/WebView.h"
#include "shared/Version.h"
#ifdef LYRABELL_WEBENGINE
#include "platform/web/WebEngineView.h"
#endif

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", ly::kProductVersionText);
        return 0;
    }
    ly::platform::PrepareWebEngine();
    LyApplication app(argc, argv);
#ifdef LYRABELL_WEBENGINE
    // Only installs the factory: the engine starts with the first page shown.
    ly::platform::UseWebEngine();
#endif
    QApplication::setApplicationName(QString::fromLatin1(ly::kProductName));
    TFrmMain FrmMain(QApplication::arguments().mid(1));
    FrmMain.show();
    return app.exec();
}
