#include "shared/Version.h"

#include <QApplication>
#include <QWidget>

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
    QWidget window;
    window.setWindowTitle(QString::fromLatin1(ly::kMailProductName));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
