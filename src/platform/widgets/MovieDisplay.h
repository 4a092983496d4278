#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QVideoSink>

class QWidget;

namespace ly::platform {

class MediaDevice;
class MoviePicture;

// The display window and rectangle of a movie: the pictures of the media device it is
// attached to are drawn stretched into the rectangle of the window the caller gives (the
// preview panel, the full-screen window). Mouse presses pass through to the window.
class MovieDisplay : public QObject
{
    Q_OBJECT
public:
    explicit MovieDisplay(QObject *parent = nullptr);
    ~MovieDisplay() override;

    // The device draws into this display from now on (across its files).
    void attach(MediaDevice &device);
    // nullptr: the pictures are shown nowhere.
    void setDisplayWindow(QWidget *window);
    QWidget *displayWindow() const;
    // In the window's coordinates; an empty rectangle fills the window.
    void setDisplayRect(const QRect &rect);
    // The picture last delivered (null before the first).
    QImage currentFrame() const { return m_frame; }

Q_SIGNALS:
    void frameShown();

private:
    void frameArrived(const QVideoFrame &frame);

    QVideoSink m_sink;
    QImage m_frame;
    QRect m_rect;
    QPointer<MoviePicture> m_picture;
};

} // namespace ly::platform
