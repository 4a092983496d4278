#include "player/widgets/BackgroundWindow.h"

#include "player/BackgroundPicture.h"
#include "player/widgets/AnimationPage.h"
#include "player/widgets/CaptionLayer.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

namespace ly::player {

BackgroundWindow::BackgroundWindow(BackgroundPicture &background, AnimationPage *page)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_background(background), m_page(page), m_captions(new CaptionLayer(background, this))
{
    setWindowTitle(QStringLiteral("Lyrabell card"));
    setAccessibleName(windowTitle());
    if (m_page)
        m_page->widget()->setParent(this);
    m_captions->raise();
}

void BackgroundWindow::refresh()
{
    // Only where the moving caption was and is now.
    const QRect now = m_background.movingCaptionRect();
    if (now != m_shownCaption) {
        m_captions->update(m_shownCaption.united(now));
        m_shownCaption = now;
    }
}

void BackgroundWindow::paintEvent(QPaintEvent *)
{
    if (m_page)
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_background.base(size()));
}

void BackgroundWindow::resizeEvent(QResizeEvent *)
{
    if (m_page)
        m_page->widget()->setGeometry(rect());
    m_captions->setGeometry(rect());
}

void BackgroundWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void BackgroundWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (onClose)
        onClose();
}

} // namespace ly::player
