#pragma once

#include <QApplication>

#include <functional>

// Errors that no command catches. The main window installs its HandleAppException as the
// handler; every event the application delivers, and every command of the editor's windows,
// runs guarded, so an error stops only the handler or command that raised it.
namespace ly {

// Receives the text of the error.
using AppExceptionHandler = std::function<void(const QString &text)>;
// An empty handler leaves errors to the program's standard error output.
void SetAppExceptionHandler(AppExceptionHandler handler);

// Runs the work. The user's silent stop (ly::SilentAbort) ends it without a word; any other
// error goes to the handler. True when the work ran to its end.
bool RunGuarded(const std::function<void()> &work);

// A slot for connect() that runs the handler guarded; errors never travel up through Qt's
// signal and event code.
template <class Window, class Handler>
auto Guarded(Window *window, Handler handler)
{
    return [window, handler] { RunGuarded([&] { (window->*handler)(); }); };
}

} // namespace ly

// The editor's application object: delivers every event guarded (see ly::RunGuarded).
class LyApplication : public QApplication
{
    Q_OBJECT

public:
    LyApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
