#include "platform/web/WebEngineView.h"

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include <unistd.h>

namespace ly::platform {

// Refuses every request that IsWebRequestAllowed does not allow for the page shown. The
// engine may ask from another thread than the one that changes the page, hence the lock.
class WebRequestGuard : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void setPageFolder(const QString &folder)
    {
        QMutexLocker lock(&m_mutex);
        m_folder = folder;
    }

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        QMutexLocker lock(&m_mutex);
        info.block(!IsWebRequestAllowed(info.requestUrl(), m_folder));
    }

private:
    QMutex m_mutex;
    QString m_folder;
};

namespace {

// A page that opens no other window and navigates only where its guard lets it.
class GuardedPage : public QWebEnginePage
{
public:
    GuardedPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
    {
        connect(this, &QWebEnginePage::featurePermissionRequested, this,
                [this](const QUrl &origin, QWebEnginePage::Feature feature) {
                    setFeaturePermission(origin, feature, QWebEnginePage::PermissionDeniedByUser);
                });
    }

protected:
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
};

void refuseDownloads(QWebEngineProfile *profile)
{
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest *download) { download->cancel(); });
}

void lockDown(QWebEngineSettings *s)
{
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    // Needed for the page's own files; the guard keeps it to the page's folder.
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    s->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    s->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    s->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    s->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
}

} // namespace

WebEngineView::WebEngineView(QWidget *parent)
    : QWebEngineView(parent),
      // A profile without a storage name is off the record: no cookies, cache or history
      // on disk.
      m_profile(new QWebEngineProfile(this)),
      m_guard(new WebRequestGuard(m_profile))
{
    m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    m_profile->setSpellCheckEnabled(false);
    m_profile->setUrlRequestInterceptor(m_guard);
    refuseDownloads(m_profile);
    auto *page = new GuardedPage(m_profile, this);
    lockDown(page->settings());
    setPage(page);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

WebEngineView::~WebEngineView()
{
    // The page must go before its profile.
    delete page();
}

void WebEngineView::showPage(const QString &pageFile)
{
    const QFileInfo info(pageFile);
    m_pageFile = pageFile;
    m_guard->setPageFolder(info.absolutePath());
    load(QUrl::fromLocalFile(info.absoluteFilePath()));
}

void WebEngineView::click(const QPoint &pos)
{
    // The page takes its input through the engine's render widget, the view's focus proxy.
    QWidget *target = focusProxy() ? focusProxy() : this;
    const QPointF local = target->mapFrom(this, pos);
    const QPointF global = target->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

} // namespace ly::platform

ly::platform::WebView *lyCreateWebView(QWidget *parent)
{
    // The engine's sandbox cannot start for root (as on CI machines) and the engine then
    // refuses to run; only there it runs without it. The engine reads this when its first
    // profile starts it.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return new ly::platform::WebEngineView(parent);
}
