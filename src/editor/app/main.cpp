#include "editor/widgets/AppException.h"
#include "editor/widgets/MainUnit.h"
#include "platform/ProgramEnd.h"
#include "platform/WebView.h"
#include "shared/Version.h"

#include <cstdio>
#include <cstring>

namespace {

int run(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", ly::kProductVersionText);
        return 0;
    }
    ly::platform::PrepareWebEngine();
    LyApplication app(argc, argv);
    // Only names the module: the engine is loaded and started with the first page shown.
    ly::platform::UseWebEngine(ly::platform::WebEngineModuleBesideProgram());
    QApplication::setApplicationName(QString::fromLatin1(ly::kProductName));
    TFrmMain FrmMain(QApplication::arguments().mid(1));
    FrmMain.show();
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    ly::platform::EndProgram(run(argc, argv));
}
