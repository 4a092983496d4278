#include "platform/widgets/MediaPlayerBar.h"

#include "platform/MediaPlayer.h"
#include "platform/SoundRecorder.h"

#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace ly::platform {

namespace {

constexpr int kButtonWidth = 26;
constexpr int kGaugeGap = 4;

QIcon recordIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x80, 0, 0));
    painter.setBrush(QColor(0xD0, 0x10, 0x10));
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(pixmap);
}

} // namespace

bool ShowPlayProgress(QProgressBar *gauge, const MediaDevice &device)
{
    const qint64 length = device.length();
    const qint64 position = device.position();
    // A gauge of maximum 0 would show a busy bar; an empty medium shows an empty one.
    const qint64 maximum = std::max<qint64>(length, 1);
    gauge->setRange(0, int(std::min<qint64>(maximum, INT_MAX)));
    gauge->setValue(int(std::clamp<qint64>(position, 0, gauge->maximum())));
    const MediaMode mode = device.mode();
    return position != length && mode != MediaMode::Stopped && mode != MediaMode::Paused
           && mode != MediaMode::NotReady;
}

MediaPlayerBar::MediaPlayerBar(QWidget *parent) : QWidget(parent)
{
    static const char *const names[kButtonCount] = {"BtnPlay", "BtnPause", "BtnStop", "BtnRecord"};
    static const char *const hints[kButtonCount] = {"Play", "Pause", "Stop", "Record"};
    const QIcon icons[kButtonCount] = {style()->standardIcon(QStyle::SP_MediaPlay),
                                       style()->standardIcon(QStyle::SP_MediaPause),
                                       style()->standardIcon(QStyle::SP_MediaStop), recordIcon()};
    for (int i = 0; i < kButtonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(names[i]));
        b->setAccessibleName(QLatin1String(names[i]));
        b->setToolTip(QLatin1String(hints[i]));
        b->setIcon(icons[i]);
        b->setEnabled(false);
        m_buttons[size_t(i)] = b;
        connect(b, &QToolButton::clicked, this, [this, i] { Press(Button(i)); });
    }
    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setAccessibleName(QStringLiteral("Gauge"));
    Gauge->setTextVisible(false);
    Gauge->setRange(0, 1);
    Gauge->setValue(0);
    resize(kButtonCount * kButtonWidth + 60, 24);
    Layout();
}

MediaPlayerBar::~MediaPlayerBar()
{
    // A recording still running gets its sizes written.
    if (m_recorder)
        (void)m_recorder->stop();
}

void MediaPlayerBar::setDevice(std::unique_ptr<MediaDevice> device)
{
    m_device = std::move(device);
}

void MediaPlayerBar::setRecorder(std::unique_ptr<SoundRecorder> recorder)
{
    m_recorder = std::move(recorder);
}

MediaDevice &MediaPlayerBar::Device()
{
    if (!m_device)
        m_device = std::make_unique<MediaPlayer>();
    return *m_device;
}

SoundRecorder &MediaPlayerBar::Recorder()
{
    if (!m_recorder)
        m_recorder = std::make_unique<AudioSourceRecorder>();
    return *m_recorder;
}

void MediaPlayerBar::setVisibleButtons(std::initializer_list<Button> buttons)
{
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons[size_t(i)]->setVisible(std::find(buttons.begin(), buttons.end(), Button(i))
                                         != buttons.end());
    Layout();
}

void MediaPlayerBar::setEnabledButtons(std::initializer_list<Button> buttons)
{
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons[size_t(i)]->setEnabled(std::find(buttons.begin(), buttons.end(), Button(i))
                                         != buttons.end());
}

bool MediaPlayerBar::isButtonEnabled(Button button) const
{
    return m_buttons[size_t(button)]->isEnabled();
}

MediaResult MediaPlayerBar::open(const QString &file)
{
    close();
    m_file = file;
    return Device().open(file);
}

void MediaPlayerBar::close()
{
    if (isRecording())
        (void)m_recorder->stop();
    if (m_device)
        m_device->close();
    m_file.clear();
}

bool MediaPlayerBar::isRecording() const
{
    return m_recorder && m_recorder->isRecording();
}

MediaMode MediaPlayerBar::mode() const
{
    if (isRecording())
        return MediaMode::Recording;
    return m_device ? m_device->mode() : MediaMode::NotReady;
}

MediaResult MediaPlayerBar::DoAction(Button button)
{
    switch (button) {
    case Play:
        if (isRecording())
            return MediaResult::failure(QStringLiteral("The player is recording"));
        return Device().play();
    case Pause:
        if (m_device)
            m_device->pause();
        return {};
    case Stop:
        if (isRecording()) {
            const MediaResult stopped = m_recorder->stop();
            // The device reads the file anew: its length now counts the recording.
            const MediaResult reopened = Device().open(m_file);
            return stopped ? reopened : stopped;
        }
        if (m_device)
            m_device->stop();
        return {};
    case Record:
        if (m_file.isEmpty())
            return MediaResult::failure(QStringLiteral("No file is open for recording"));
        // The file is written by the recorder; the device lets go of it meanwhile.
        if (m_device)
            m_device->close();
        return Recorder().start(m_file);
    }
    return {};
}

void MediaPlayerBar::Press(Button button)
{
    if (!isButtonEnabled(button))
        return;
    bool doDefault = true;
    Q_EMIT Click(button, doDefault);
    if (!doDefault)
        return;
    const MediaResult result = DoAction(button);
    Q_EMIT Done(button, result);
}

void MediaPlayerBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Layout();
}

void MediaPlayerBar::Layout()
{
    int x = 0;
    const int h = height();
    for (QToolButton *b : m_buttons) {
        if (b->isHidden())
            continue;
        b->setGeometry(x, 0, kButtonWidth, h);
        x += kButtonWidth;
    }
    const int gaugeHeight = std::min(h, 14);
    Gauge->setGeometry(x + kGaugeGap, (h - gaugeHeight) / 2, std::max(10, width() - x - kGaugeGap),
                       gaugeHeight);
}

} // namespace ly::platform
