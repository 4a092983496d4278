#include "platform/widgets/WebBrowser.h"

#include "platform/WebView.h"
#include "shared/Error.h"

#include <QPainter>
#include <QPoint>

namespace ly::platform {

WebBrowser::WebBrowser(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("WebBrowser"));
}

void WebBrowser::navigate(const QString &pageFile)
{
    m_page = pageFile;
    if (m_view)
        m_view->showPage(pageFile);
}

void WebBrowser::click(const QPoint &pos)
{
    if (m_view)
        m_view->click(pos);
}

void WebBrowser::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_view && m_failure.isEmpty())
        startView();
}

void WebBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_view)
        m_view->widget()->setGeometry(rect());
}

void WebBrowser::paintEvent(QPaintEvent *)
{
    if (m_failure.isEmpty())
        return;
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, m_failure);
}

void WebBrowser::startView()
{
    try {
        m_view = CreateWebView(this);
    } catch (const Error &e) {
        m_failure = e.text();
        update();
        return;
    }
    QWidget *w = m_view->widget();
    w->setAccessibleName(accessibleName());
    w->setGeometry(rect());
    w->show();
    if (!m_page.isEmpty())
        m_view->showPage(m_page);
}

} // namespace ly::platform
