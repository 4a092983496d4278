#pragma once

#include "platform/MediaDevice.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QFile>
#include <QMetaObject>

#include <memory>

class QAudioSource;
class QIODevice;

// Recording the voice into a PCM wave file of the voice format (WaveFile.h). The real recorder
// records the default sound input; FakeSoundRecorder (FakeMedia.h) stands in for it in tests.
namespace ly::platform {

class SoundRecorder
{
public:
    virtual ~SoundRecorder() = default;

    // Starts recording into the file. A file that already is a voice wave file (the prepared
    // 44-byte header, or an earlier recording) gets the new samples after its own; anything
    // else is replaced by a fresh voice file.
    virtual MediaResult start(const QString &file) = 0;
    // Ends the recording and writes the RIFF and data sizes into the header. The data size is
    // kept even (a silent sample is added when needed), so no pad byte is ever needed.
    virtual MediaResult stop() = 0;
    virtual bool isRecording() const = 0;
    // Milliseconds of samples in the file so far.
    virtual qint64 recordedMs() const = 0;
    MediaMode mode() const { return isRecording() ? MediaMode::Recording : MediaMode::Stopped; }
};

// Turns samples of any format a sound device offers into the voice format: channels mixed
// to mono, the rate brought to 11025 (each output sample the mean of the input frames it
// spans), unsigned 8 bits. Keeps its state across chunks, which need not end on a frame.
class VoiceConverter
{
public:
    explicit VoiceConverter(const QAudioFormat &from);
    QByteArray convert(QByteArrayView input);

private:
    float frameValue(const char *frame) const;

    QAudioFormat m_from;
    QByteArray m_partial; // the start of a frame split between chunks
    qint64 m_phase = 0;   // output rate accumulated against the input rate
    double m_sum = 0;
    int m_count = 0;
    float m_last = 0;
};

class AudioSourceRecorder final : public SoundRecorder
{
public:
    AudioSourceRecorder();
    ~AudioSourceRecorder() override;

    MediaResult start(const QString &file) override;
    MediaResult stop() override;
    bool isRecording() const override { return m_source != nullptr; }
    qint64 recordedMs() const override;

private:
    void takeSamples();
    void release();

    QFile m_file;
    qint64 m_dataSize = 0;
    qint64 m_startSize = 0; // the samples the file held before this recording
    QElapsedTimer m_clock;
    std::unique_ptr<QAudioSource> m_source;
    QIODevice *m_input = nullptr;
    std::unique_ptr<VoiceConverter> m_converter;
    QString m_writeError;
};

// Writes the voice header with this data size at the file's start; false when it cannot.
bool WriteVoiceHeader(QFile &file, uint32_t dataSize);
// Opens the file for recording (the rules of SoundRecorder::start) and places it after its
// samples: the number of sample bytes already there, or -1 with the error text.
qint64 OpenVoiceFile(QFile &file, QString *error);
// Evens the data size out with a silent sample, writes the sizes and closes the file.
bool FinishVoiceFile(QFile &file, qint64 &dataSize);

} // namespace ly::platform
