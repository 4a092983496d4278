// SWF header reading: a 64 MiB compressed ("CWS") file against a 1 KiB one. Only the first
// bytes are read and inflated, so the size of the file should not matter; the ratio of the
// two times is printed at the end.
#include "control/SwfHeader.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

QString g_small;
QString g_large;

// A 550 × 400 SWF header with `tail` bytes of noise after it, as a "CWS" file whose whole
// size is close to `fileSize`.
QString writeCws(const QString &path, qsizetype fileSize)
{
    QByteArray body("\x78\x00\x05\x5F\x00\x00\x0F\xA0\x00\x00\x0C\x01\x00", 13);
    uint32_t noise = 1;
    body.reserve(fileSize);
    while (body.size() < fileSize - 8) {
        noise = noise * 1664525 + 1013904223;
        body += char(noise >> 24);
    }
    uLongf packedSize = compressBound(uLong(body.size()));
    QByteArray packed(qsizetype(packedSize), '\0');
    if (compress2(reinterpret_cast<Bytef *>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef *>(body.constData()), uLong(body.size()), 1)
        != Z_OK)
        std::abort();
    packed.resize(qsizetype(packedSize));
    const uint32_t length = uint32_t(8 + body.size());
    QByteArray file("CWS\x0A", 4);
    for (int i = 0; i < 4; ++i)
        file += char(length >> (8 * i) & 0xFF);
    file += packed;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(file) != file.size())
        std::abort();
    return path;
}

void readHeader(benchmark::State &state, const QString &file)
{
    for (auto _ : state) {
        ly::SwfHeaderInfo info;
        ly::ReadSwfHeader(file, info);
        if (info.error || info.pixel != QLatin1String("550 X 400"))
            state.SkipWithError("header not read");
        benchmark::DoNotOptimize(info);
    }
}

void BM_SwfHeader_1KiB(benchmark::State &state)
{
    readHeader(state, g_small);
}
BENCHMARK(BM_SwfHeader_1KiB);

void BM_SwfHeader_64MiB(benchmark::State &state)
{
    readHeader(state, g_large);
}
BENCHMARK(BM_SwfHeader_64MiB);

// Keeps the real time per iteration of every benchmark for the ratio.
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_small = writeCws(dir.filePath(QStringLiteral("small.swf")), 1024);
    g_large = writeCws(dir.filePath(QStringLiteral("large.swf")), 64 << 20);
    std::printf("files: %lld and %lld bytes\n", QFile(g_small).size(), QFile(g_large).size());

    benchmark::Initialize(&argc, argv);
    lybench::TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double small = reporter.time("BM_SwfHeader_1KiB");
    const double large = reporter.time("BM_SwfHeader_64MiB");
    if (small > 0 && large > 0)
        std::printf("ratio 64 MiB / 1 KiB header read: %.2f\n", large / small);
    benchmark::Shutdown();
    return 0;
}
