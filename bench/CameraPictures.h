#pragma once

#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <QTimer>

#include <algorithm>
#include <ctime>

#include <benchmark/benchmark.h>

#include <unistd.h>

// Camera-sized JPEG pictures for the benchmarks that browse picture folders.
namespace lybench {

// A photograph-like picture of 4000 x 3000: smooth colour fields with sensor-like noise, so the
// JPEG has the size and entropy of a camera picture (a few megabytes).
inline QImage CameraPicture(int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(quint32(seed + 1));
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.bounded(24u)) - 12;
            const int r = (x * 255 / 4000 + seed * 60) % 256;
            const int g = (y * 255 / 3000 + (x / 250) * 9) % 256;
            const int b = ((x / 40) ^ (y / 40)) & 0xFF;
            line[x] = qRgb(qBound(0, r + n, 255), qBound(0, g + n, 255), qBound(0, b + n, 255));
        }
    }
    return image;
}

// Fills the folder with `count` pictures IMG_1000.jpg, ... made of `variants` different ones.
// With `link`, the files beyond the variants are hard links to them (a folder of hundreds of
// camera pictures without gigabytes on disk); each is still a file of its own to the reader.
inline QStringList MakeCameraFolder(const QString &folder, int count, int variants, bool link)
{
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("/IMG_%1.jpg").arg(1000 + i);
        if (i < variants) {
            CameraPicture(i).save(path, "JPG", 90);
        } else if (!link || ::link(QFile::encodeName(files[i % variants]).constData(),
                                   QFile::encodeName(path).constData()) != 0) {
            QFile::copy(files[i % variants], path);
        }
        files.append(path);
    }
    return files;
}

// The baseline of the picture benchmarks: one camera picture of the first `variants` files
// decoded at full size per iteration.
inline void DecodeCameraPictures(benchmark::State &state, const QStringList &files, int variants)
{
    int i = 0;
    for (auto _ : state) {
        const QImage image(files[i++ % variants]);
        benchmark::DoNotOptimize(image.constBits());
    }
}

inline qint64 CpuNanoseconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The longest time the user-interface thread was busy: a 1 ms timer ticks on it, and the
// longest stretch of that thread's own CPU time between two ticks counts. CPU time, not wall
// time, so that other programs on a shared machine taking the core away do not count.
class UiBlockWatch
{
public:
    UiBlockWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
    }
    void Start()
    {
        m_last = Now();
        m_longest = 0;
        m_timer.start();
    }
    void Stop() { m_timer.stop(); }
    // Counts the time since the last tick as one stretch (for a call made between ticks).
    void Tick()
    {
        const qint64 now = Now();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    double LongestMs() const { return double(m_longest) / 1e6; }
    static qint64 Now() { return CpuNanoseconds(CLOCK_THREAD_CPUTIME_ID); }

private:
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

} // namespace lybench
