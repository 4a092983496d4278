#pragma once

#include <QString>

#include <functional>

class QPoint;
class QUrl;
class QWidget;

// The embedded web browser: a view that shows one local page (a background animation, a
// card's page) and takes the user's clicks. A page runs without network access and reads no
// file outside its own folder. The engine behind it is a module that the program names at
// start (UseWebEngine) and that is loaded with the first view; tests may install a fake
// (SetWebViewFactory). Nothing here links a web engine or QtWidgets.
namespace ly::platform {

class WebView
{
public:
    virtual ~WebView() = default;

    // The widget that shows the page; the view is deleted with it.
    virtual QWidget *widget() = 0;
    // Shows the local page file; its folder becomes the one folder the page may read.
    virtual void showPage(const QString &pageFile) = 0;
    // The page file last given to showPage (empty before).
    virtual QString currentPage() const = 0;
    // Presses and releases the left button at pos (widget coordinates) on the page.
    virtual void click(const QPoint &pos) = 0;
};

// Makes a view as a child of parent (which owns it).
using WebViewFactory = std::function<WebView *(QWidget *parent)>;

// Installs the factory that CreateWebView uses; an empty one uninstalls it.
void SetWebViewFactory(WebViewFactory factory);
bool WebViewAvailable();
// A new view from the installed factory. Throws ly::Error when the program has no web engine.
WebView *CreateWebView(QWidget *parent);

inline const QString kNoWebEngineText =
    QStringLiteral("This program was built without a web engine: pages cannot be shown.");

// Installs the web engine module at modulePath as the factory. The module is loaded when the
// first view is made; a module that is missing or does not load makes CreateWebView throw
// ly::Error with the reason.
void UseWebEngine(const QString &modulePath);
// The module beside the running program: "lywebview.so" in its folder.
QString WebEngineModuleBesideProgram();

// Whether a page whose own folder is pageFolder may load url: only files inside that folder
// (after resolving links and ".."), and the page's own inline data (data:, blob:,
// about:blank). Everything else is refused, every network address included.
bool IsWebRequestAllowed(const QUrl &url, const QString &pageFolder);

// Sets what the web engine needs from the application before the QApplication is made: the
// shared OpenGL contexts of its compositor. Cheap; it does not start the engine.
void PrepareWebEngine();

} // namespace ly::platform
