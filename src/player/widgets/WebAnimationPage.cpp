#include "player/widgets/WebAnimationPage.h"

#include "platform/WebView.h"
#include "player/CardWebEngine.h"
#include "shared/Error.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QImage>
#include <QTimer>

#include <cstdio>

namespace ly::player {

WebAnimationPage::WebAnimationPage(QWidget *parent) : StillAnimationPage(parent) {}

void WebAnimationPage::open(const QString &startPage)
{
    StillAnimationPage::open(startPage);
    if (m_view)
        m_view->showPage(startPage);
}

void WebAnimationPage::showEvent(QShowEvent *event)
{
    StillAnimationPage::showEvent(event);
    if (!m_view && !m_failed)
        startView();
}

void WebAnimationPage::resizeEvent(QResizeEvent *event)
{
    StillAnimationPage::resizeEvent(event);
    if (m_view)
        m_view->widget()->setGeometry(rect());
}

void RunEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WebAnimationPage::waitForPicture(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (m_view) {
        const QImage shot = m_view->widget()->grab().toImage();
        for (int y = 0; y < shot.height(); y += 4)
            for (int x = 0; x < shot.width(); x += 4)
                if (shot.pixel(x, y) != shot.pixel(0, 0))
                    return true;
        if (deadline.hasExpired())
            break;
        RunEventsFor(50);
    }
    return false;
}

void WebAnimationPage::startView()
{
    try {
        m_view = platform::CreateWebView(this);
    } catch (const Error &e) {
        m_failed = true;
        std::fprintf(stderr, "%s\n",
                     (kStillAnimationNote + e.text()).toLocal8Bit().constData());
        return;
    }
    QWidget *w = m_view->widget();
    w->setAccessibleName(QStringLiteral("WebBrowser"));
    w->setGeometry(rect());
    w->show();
    if (!page().isEmpty())
        m_view->showPage(page());
}

} // namespace ly::player
