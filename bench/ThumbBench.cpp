// Picture thumbnail browser on a folder of 40 camera-sized JPEG pictures (4000 x 3000), made
// here. Measures reading one picture to thumbnail size against decoding it at full size (the
// baseline), then the browser's loader on the whole folder: thumbnails per second and the
// longest time the user-interface thread was kept busy while the folder loaded.
// The last line: thumbs_per_s=N full_decodes_per_s=N max_ui_block_ms=N

#include "control/Thumbnail.h"
#include "control/widgets/LyScrollboxImg.h"

#include "CameraPictures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

namespace {

constexpr int PictureCount = 40;
constexpr int Variants = 4;
QStringList g_files;

void MakeFolder(const QString &folder)
{
    g_files = lybench::MakeCameraFolder(folder, PictureCount, Variants, false);
}

void BM_ThumbnailRead(benchmark::State &state)
{
    int i = 0;
    for (auto _ : state) {
        const ly::ThumbPicture picture = ly::ReadThumbnail(g_files[i++ % PictureCount]);
        benchmark::DoNotOptimize(picture.image.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ThumbnailRead)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Baseline: the same files decoded at full size.
void BM_FullDecode(benchmark::State &state)
{
    int i = 0;
    for (auto _ : state) {
        const QImage image(g_files[i++ % PictureCount]);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0);

struct LoaderResult
{
    double thumbsPerSecond = 0;
    double thumbsPerCpuSecond = 0;
    double maxUiBlockMs = 0;
    double uiCpuSeconds = 0;
    double cpuSeconds = 0;
};

// The browser on the folder, shown, as a chooser shows it. A 1 ms timer ticks on the
// user-interface thread; the longest stretch of that thread's own CPU time between two ticks
// is the longest time it was busy. CPU time, not wall time, so that other programs on a
// shared machine taking the core away do not count as blocks.
LoaderResult RunLoader(const QString &folder)
{
    TlyScrollboxImg browser;
    browser.resize(520, 560);
    browser.show();
    QApplication::processEvents();

    QElapsedTimer clock;
    lybench::UiBlockWatch watch;
    const auto uiCpu = &lybench::UiBlockWatch::Now;
    bool finished = false;
    QObject::connect(&browser, &TlyScrollboxImg::OnlyProgress, [&](int progress, int maxValue) {
        finished = progress == maxValue;
    });

    const qint64 processCpu = lybench::CpuNanoseconds(CLOCK_PROCESS_CPUTIME_ID);
    clock.start();
    watch.Start();
    const qint64 uiStart = uiCpu();
    browser.setLyImgPath(folder); // lists the folder and starts the loader: a block too
    watch.Tick();
    while (!(finished && browser.StopFlag()) && clock.elapsed() < 120000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const double cpuSeconds =
        double(lybench::CpuNanoseconds(CLOCK_PROCESS_CPUTIME_ID) - processCpu) / 1e9;
    watch.Stop();
    return {PictureCount / seconds, PictureCount / cpuSeconds, watch.LongestMs(),
            double(uiCpu() - uiStart) / 1e9, cpuSeconds};
}

double ItemsPerSecond(const benchmark::BenchmarkReporter::Run &run)
{
    const auto it = run.counters.find("items_per_second");
    return it == run.counters.end() ? 0.0 : double(it->second);
}

// Keeps the console output and remembers the two rates.
class Reporter : public benchmark::ConsoleReporter
{
public:
    double thumbs = 0, full = 0;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.benchmark_name().find("BM_ThumbnailRead") != std::string::npos)
                thumbs = ItemsPerSecond(run);
            if (run.benchmark_name().find("BM_FullDecode") != std::string::npos)
                full = ItemsPerSecond(run);
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    QTemporaryDir dir;
    MakeFolder(dir.path());
    const QFileInfo sample(g_files.first());
    std::printf("folder: %d JPEG pictures of 4000 x 3000, %.1f MB each\n", PictureCount,
                double(sample.size()) / 1048576.0);

    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    RunLoader(dir.path()); // warm: file cache, plugins, fonts
    const LoaderResult loader = RunLoader(dir.path());

    std::printf("thumbnail read vs full decode: %.1fx faster (%.1f vs %.1f per second, one core)\n",
                reporter.full > 0 ? reporter.thumbs / reporter.full : 0.0, reporter.thumbs,
                reporter.full);
    std::printf("loader: %.1f thumbnails per second with its 10 ms pause per tile (%.0f%% of "
                "the bare reading rate), %.1f per CPU second of the whole program; longest UI "
                "block %.1f ms\n",
                loader.thumbsPerSecond,
                reporter.thumbs > 0 ? 100.0 * loader.thumbsPerSecond / reporter.thumbs : 0.0,
                loader.thumbsPerCpuSecond, loader.maxUiBlockMs);
    std::printf("loader CPU: %.2f s in all, %.2f s of it on the user-interface thread, for %.1f s "
                "of loading\n",
                loader.cpuSeconds, loader.uiCpuSeconds, PictureCount / loader.thumbsPerSecond);
    std::printf("thumbs_per_s=%.0f full_decodes_per_s=%.1f max_ui_block_ms=%.1f\n",
                loader.thumbsPerSecond, reporter.full, loader.maxUiBlockMs);
    benchmark::Shutdown();
    return 0;
}
