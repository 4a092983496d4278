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

    QWebEngineProfile *profile() const { return m_profile; }

private:
    QWebEngineProfile *m_profile;
    WebRequestGuard *m_guard;
    QString m_pageFile;
};

// Installs WebEngineView as the program's web view (SetWebViewFactory). Before the first view
// starts the engine, its sandbox is turned off when the program runs as root, where the
// engine refuses to start with it.
void UseWebEngine();

} // namespace ly::platform
