#include "editor/widgets/AppException.h"

#include "shared/Error.h"

#include <cstdio>
#include <exception>

namespace ly {

namespace {

AppExceptionHandler &handler()
{
    static AppExceptionHandler installed;
    return installed;
}

void report(const QString &text)
{
    if (!handler()) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return;
    }
    // The handler is the last stop: what it raises itself goes nowhere.
    try {
        handler()(text);
    } catch (...) {
    }
}

} // namespace

void SetAppExceptionHandler(AppExceptionHandler h)
{
    handler() = std::move(h);
}

bool RunGuarded(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const SilentAbort &) {
    } catch (const Error &e) {
        report(e.text());
    } catch (const std::exception &e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace ly

LyApplication::LyApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool LyApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    ly::RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
