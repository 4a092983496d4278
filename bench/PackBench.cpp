// PackFolder against plain zlib level 9 over the same bytes, one file after another, in the
// same process. The folder: 40 files of 1 MiB of incompressible bytes and 10 text files of
// 256 KiB. Printed at the end: the time of PackFolder with worker threads and with one thread,
// each as a ratio of the baseline's (medians of the repetitions).
#include "card/Packer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

struct Folder
{
    QTemporaryDir dir;
    QString path;
    QList<QByteArray> files;

    Folder()
    {
        path = dir.filePath(QStringLiteral("Music"));
        QDir().mkpath(path);
        std::mt19937 rng(1912);
        for (int i = 0; i < 40; ++i) {
            QByteArray bytes(1024 * 1024, Qt::Uninitialized);
            for (char &c : bytes)
                c = char(rng());
            add(QStringLiteral("song%1.mp3").arg(i, 2, 10, QLatin1Char('0')), bytes);
        }
        static const char *const words[] = {
            "happy", "birthday", "to", "you", "dear", "friend", "with", "love", "and",
            "best", "wishes", "for", "a", "wonderful", "year", "the", "music", "card",
            "greeting", "many", "returns", "of", "day", "sunshine", "smile", "always"};
        for (int i = 0; i < 10; ++i) {
            QByteArray text;
            while (text.size() < 256 * 1024) {
                text += words[rng() % std::size(words)];
                text += rng() % 12 == 0 ? "\r\n" : " ";
            }
            text.truncate(256 * 1024);
            add(QStringLiteral("note%1.txt").arg(i), text);
        }
    }

    void add(const QString &name, const QByteArray &bytes)
    {
        QFile f(path + QLatin1Char('/') + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            std::abort();
        files.append(bytes);
    }
};

Folder &folder()
{
    static Folder f;
    return f;
}

void BM_PlainZlibLevel9(benchmark::State &state)
{
    const QList<QByteArray> &files = folder().files;
    QByteArray out;
    for (auto _ : state) {
        for (const QByteArray &data : files) {
            uLongf size = compressBound(uLong(data.size()));
            out.resize(qsizetype(size));
            if (compress2(reinterpret_cast<Bytef *>(out.data()), &size,
                          reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()),
                          9) != Z_OK)
                std::abort();
            benchmark::DoNotOptimize(out.data());
        }
    }
}

void BM_PackFolder(benchmark::State &state)
{
    const int threads = int(state.range(0));
    const QString package = ly::PackagePathOf(folder().path);
    for (auto _ : state) {
        // Each pack starts as the first does, and as in a build, without an earlier package.
        state.PauseTiming();
        QFile::remove(package);
        state.ResumeTiming();
        ly::PackFolder(folder().path, threads);
    }
}

void configure(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2)->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_PlainZlibLevel9)->Apply(configure);
BENCHMARK(BM_PackFolder)->Arg(0)->Apply(configure);
BENCHMARK(BM_PackFolder)->Arg(1)->Apply(configure);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // PackFolder lets the event loop run between members
    lybench::InitializeInterleaved(argc, argv);
    folder();
    lybench::TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double base = reporter.time("BM_PlainZlibLevel9/");
    if (base > 0)
        std::printf("\nPackFolder / plain zlib level 9 (medians): worker threads %.3f, one thread %.3f\n",
                    reporter.time("BM_PackFolder/0/") / base, reporter.time("BM_PackFolder/1/") / base);
    benchmark::Shutdown();
    return 0;
}
