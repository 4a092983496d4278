#include "player/widgets/AlbumWindow.h"

#include "player/AlbumShow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

namespace ly::player {

AlbumWindow::AlbumWindow(AlbumShow &album, const std::function<qint64()> &clock)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_album(album), m_clock(clock)
{
    setWindowTitle(QStringLiteral("Album"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AlbumWindow::refresh(QRect screen)
{
    const qint64 now = m_clock();
    const QRect place = m_album.windowRect(screen, now);
    if (geometry() != place)
        setGeometry(place);
    const int progress = m_album.progressAt(now);
    if (m_album.index() != m_shownIndex || progress != m_shownProgress) {
        m_shownIndex = m_album.index();
        m_shownProgress = progress;
        update();
    }
}

void AlbumWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_album.render(size(), m_clock()));
}

void AlbumWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void AlbumWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (onClose)
        onClose();
}

} // namespace ly::player
