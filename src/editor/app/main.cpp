#include "shared/Version.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", ly::kProductVersionText);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ly::kProductName));
    QWidget window;
    window.setWindowTitle(QString::fromLatin1(ly::kProductName));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
