#include "platform/widgets/MovieDisplay.h"

#include "platform/MediaDevice.h"

#include <QEvent>
#include <QPainter>
#include <QVideoFrame>
#include <QWidget>

namespace ly::platform {

// The child widget of the display window that shows the pictures.
class MoviePicture : public QWidget
{
public:
    MoviePicture(QWidget *window, const QImage *frame) : QWidget(window), m_frame(frame)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAccessibleName(QStringLiteral("Movie"));
        window->installEventFilter(this);
    }

    void place(const QRect &rect)
    {
        m_rect = rect;
        setGeometry(rect.isEmpty() ? parentWidget()->rect() : rect);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (m_frame->isNull())
            p.fillRect(rect(), Qt::black);
        else
            p.drawImage(rect(), *m_frame);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A rectangle that fills the window follows the window's size.
        if (watched == parentWidget() && event->type() == QEvent::Resize && m_rect.isEmpty())
            setGeometry(parentWidget()->rect());
        return false;
    }

private:
    const QImage *m_frame;
    QRect m_rect;
};

MovieDisplay::MovieDisplay(QObject *parent) : QObject(parent)
{
    connect(&m_sink, &QVideoSink::videoFrameChanged, this, &MovieDisplay::frameArrived);
}

MovieDisplay::~MovieDisplay()
{
    delete m_picture;
}

void MovieDisplay::attach(MediaDevice &device)
{
    device.setVideoSink(&m_sink);
}

void MovieDisplay::setDisplayWindow(QWidget *window)
{
    if (window && m_picture && m_picture->parentWidget() == window)
        return;
    delete m_picture;
    if (!window)
        return;
    m_picture = new MoviePicture(window, &m_frame);
    m_picture->place(m_rect);
    m_picture->show();
}

QWidget *MovieDisplay::displayWindow() const
{
    return m_picture ? m_picture->parentWidget() : nullptr;
}

void MovieDisplay::setDisplayRect(const QRect &rect)
{
    m_rect = rect;
    if (m_picture)
        m_picture->place(rect);
}

void MovieDisplay::frameArrived(const QVideoFrame &frame)
{
    const QImage image = frame.toImage();
    if (image.isNull())
        return;
    m_frame = image;
    if (m_picture)
        m_picture->update();
    Q_EMIT frameShown();
}

} // namespace ly::platform
