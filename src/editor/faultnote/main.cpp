// Faultnote: shows the user the error log of the day. The editor starts it, with its name and
// version as the argument, each time it has written an error that no command caught.

#include "shared/CodePage.h"
#include "shared/Log.h"
#include "shared/Paths.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString product = arguments.size() > 1 ? arguments.at(1) : QStringLiteral("Lyrabell");
    const QString logFile = ly::LogFileOf(QDate::currentDate());

    QWidget window;
    window.setWindowTitle(QStringLiteral("Faultnote - %1").arg(product));
    auto *layout = new QVBoxLayout(&window);
    auto *heading = new QLabel(&window);
    heading->setWordWrap(true);
    auto *log = new QPlainTextEdit(&window);
    log->setReadOnly(true);
    log->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *where = new QLabel(QDir::toNativeSeparators(logFile), &window);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);

    QFile file(logFile);
    if (file.open(QIODevice::ReadOnly)) {
        heading->setText(QStringLiteral(
            "%1 ran into an unexpected error. The command that met it was stopped; the program "
            "goes on. These are today's entries of its error log, the newest at the bottom:")
                             .arg(product));
        log->setPlainText(ly::codepage::toUnicode(file.readAll()).replace(QStringLiteral("\r\n"),
                                                                          QStringLiteral("\n")));
    } else {
        heading->setText(QStringLiteral("%1 has written no error to its log today.").arg(product));
    }
    layout->addWidget(heading);
    layout->addWidget(log, 1);
    layout->addWidget(where);

    auto *buttons = new QDialogButtonBox(&window);
    QPushButton *copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    QPushButton *folder =
        buttons->addButton(QStringLiteral("Open the log &folder"), QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    QObject::connect(copy, &QPushButton::clicked, log,
                     [log] { QApplication::clipboard()->setText(log->toPlainText()); });
    QObject::connect(folder, &QPushButton::clicked, &window, [logFile] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(logFile).absolutePath()));
    });
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);

    window.resize(640, 400);
    window.show();
    log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
    return app.exec();
}
