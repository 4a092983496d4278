#pragma once

#include "platform/WebView.h"

#include <QWebEngineView>

class QWebEngineProfile;

namespace ly::platform {

class WebRequestGuard;

// The web view over Qt WebEngine. Each view has its own off-the-record profile (nothing is
// stored on disk), runs its page without network access and lets it read only files of its
// own folder: a request interceptor refuses every other request, navigations included.
// Context menu, new windows, downloads, permissions and drop navigation are off.
class WebEngineView : public QWebEngineView, public WebView
{
    Q_OBJECT
public:
    explicit WebEngineView(QWidget *parent = nullptr);
    ~WebEngineView() override;

    QWidget *widget() override { return this; }
    void showPage(const QString &pageFile) override;
    QString currentPage() const override { return m_pageFile; }
    void click(const QPoint &pos) override;

private:
    QWebEngineProfile *m_profile;
    WebRequestGuard *m_guard;
    QString m_pageFile;
};

} // namespace ly::platform

// The module's one entry point (the factory that UseWebEngine installs): a new view, child of
// parent. Before the first view starts the engine, the engine's sandbox is turned off when the
// program runs as root, where the engine refuses to start with it.
extern "C" Q_DECL_EXPORT ly::platform::WebView *lyCreateWebView(QWidget *parent);
