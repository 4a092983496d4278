#include "player/Sound.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFile>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

namespace ly::player {

namespace {

class QtSoundChannel : public SoundChannel
{
public:
    QtSoundChannel()
    {
        m_player.setAudioOutput(&m_output);
        QObject::connect(&m_player, &QMediaPlayer::mediaStatusChanged, &m_player,
                         [this](QMediaPlayer::MediaStatus status) {
                             if (status == QMediaPlayer::EndOfMedia
                                 || status == QMediaPlayer::InvalidMedia)
                                 ended();
                         });
        QObject::connect(&m_player, &QMediaPlayer::errorOccurred, &m_player,
                         [this](QMediaPlayer::Error error) {
                             if (error != QMediaPlayer::NoError)
                                 ended();
                         });
    }

    void play(const QString &file) override
    {
        m_playing = true;
        m_player.setSource(QUrl::fromLocalFile(file));
        m_player.play();
    }
    void pause() override { m_player.pause(); }
    void resume() override
    {
        if (m_playing)
            m_player.play();
    }
    void stop() override
    {
        m_playing = false;
        m_player.stop();
    }

private:
    // Reported once per medium, from the event loop, so a handler may start the next one.
    void ended()
    {
        if (!m_playing)
            return;
        m_playing = false;
        QTimer::singleShot(0, &m_player, [this] {
            if (onEnded)
                onEnded();
        });
    }

    QAudioOutput m_output;
    QMediaPlayer m_player;
    bool m_playing = false;
};

class VirtualSoundChannel : public SoundChannel
{
public:
    explicit VirtualSoundChannel(const VirtualSoundOutput::Duration &duration)
        : m_duration(duration) {}

    void play(const QString &file) override
    {
        m_left = std::max<qint64>(0, m_duration(file));
        m_playing = true;
        m_paused = false;
    }
    void pause() override { m_paused = true; }
    void resume() override { m_paused = false; }
    void stop() override { m_playing = false; }
    void advanceTo(qint64 ms) override
    {
        const qint64 step = ms - m_now;
        m_now = ms;
        if (!m_playing || m_paused)
            return;
        m_left -= step;
        if (m_left <= 0) {
            m_playing = false;
            if (onEnded)
                onEnded();
        }
    }

private:
    VirtualSoundOutput::Duration m_duration;
    qint64 m_now = 0;
    qint64 m_left = 0;
    bool m_playing = false;
    bool m_paused = false;
};

// The length of a PCM wave file from its "fmt " and "data" chunks; -1 when it is not one.
qint64 waveDuration(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = f.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    while (!f.atEnd()) {
        const QByteArray chunk = f.read(8);
        if (chunk.size() < 8)
            return -1;
        const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray fmt = f.read(std::min<quint32>(size, 64));
            if (fmt.size() < 16)
                return -1;
            byteRate = qFromLittleEndian<quint32>(fmt.constData() + 8);
            f.seek(f.pos() - fmt.size() + size + (size & 1));
        } else if (chunk.startsWith("data")) {
            const qint64 bytes = std::min<qint64>(size, f.size() - f.pos());
            return byteRate > 0 ? bytes * 1000 / byteRate : -1;
        } else if (!f.seek(f.pos() + size + (size & 1))) {
            return -1;
        }
    }
    return -1;
}

} // namespace

std::unique_ptr<SoundChannel> QtSoundOutput::createChannel()
{
    return std::make_unique<QtSoundChannel>();
}

VirtualSoundOutput::VirtualSoundOutput(Duration duration)
    : m_duration(duration ? std::move(duration) : Duration(&MediaDuration)) {}

std::unique_ptr<SoundChannel> VirtualSoundOutput::createChannel()
{
    return std::make_unique<VirtualSoundChannel>(m_duration);
}

qint64 MediaDuration(const QString &file)
{
    const qint64 wave = waveDuration(file);
    if (wave >= 0 || !QFile::exists(file))
        return wave;
    // Other media: what Qt Multimedia reports once it has loaded them, without sound.
    QMediaPlayer player;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop,
                     [&](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::InvalidMedia)
                             loop.quit();
                     });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    player.setSource(QUrl::fromLocalFile(file));
    timeout.start(5000);
    if (player.mediaStatus() != QMediaPlayer::LoadedMedia)
        loop.exec();
    return player.mediaStatus() == QMediaPlayer::LoadedMedia && player.duration() > 0
               ? player.duration()
               : -1;
}

} // namespace ly::player
