#include "control/widgets/LyImage.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>

TLyImage::TLyImage(QWidget *parent)
    : QWidget(parent)
{
    resize(105, 105);
}

TLyImage::~TLyImage() = default;

bool TLyImage::LoadFromFile(const QString &file)
{
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    if (reader.supportsAnimation() && reader.imageCount() != 1) {
        auto *movie = new QMovie(file, QByteArray(), this);
        if (movie->isValid() && movie->jumpToFrame(0) && !movie->currentImage().isNull()) {
            dropMovie();
            m_movie = movie;
            m_picture = QImage();
            m_size = movie->currentImage().size();
            connect(movie, &QMovie::frameChanged, this, qOverload<>(&QWidget::update));
            movie->start();
            fitToPicture();
            update();
            return true;
        }
        delete movie;
    }
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    setPicture(picture);
    return true;
}

void TLyImage::setPicture(const QImage &picture)
{
    dropMovie();
    m_picture = picture;
    m_size = picture.size();
    fitToPicture();
    update();
}

QImage TLyImage::Picture() const
{
    return m_movie ? m_movie->currentImage() : m_picture;
}

void TLyImage::dropMovie()
{
    delete m_movie;
    m_movie = nullptr;
}

void TLyImage::fitToPicture()
{
    if (m_autoSize && !m_size.isEmpty())
        resize(m_size);
}

void TLyImage::setAutoSize(bool on)
{
    m_autoSize = on;
    fitToPicture();
}

void TLyImage::setStretch(bool on)
{
    m_stretch = on;
    update();
}

void TLyImage::setTransparent(bool on)
{
    m_transparent = on;
    update();
}

void TLyImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_transparent)
        p.fillRect(rect(), palette().color(QPalette::Window));
    const QImage picture = Picture();
    if (picture.isNull())
        return;
    if (m_stretch) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), picture);
    } else {
        p.drawImage(0, 0, picture);
    }
}

void TLyImage::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void TLyImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Q_EMIT OnClick();
}
