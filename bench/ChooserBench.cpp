// The one-picture chooser opening a library folder of 500 camera pictures (4000 x 3000 JPEG,
// made here in a temporary folder). Measures the time from showing the chooser to its first
// tile, against decoding one such picture at full size (the baseline), and the longest time
// the user-interface thread was busy while the folder loaded, a tile was clicked (its preview
// is read off that thread) and loading went on. The full load is not waited for: once 60 tiles
// stand, the chooser is closed, which stops its loader.
// The last line: first_tile_ms=N full_decode_ms=N max_ui_block_ms=N open_block_ms=N

#include "control/widgets/LyImagePanel.h"
#include "control/widgets/LyScrollboxImg.h"
#include "control/widgets/NewImage.h"
#include "editor/widgets/LoadOnePicUnit.h"
#include "shared/Paths.h"
#include "shared/Settings.h"

#include "BenchSupport.h"
#include "CameraPictures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int PictureCount = 500;
constexpr int Variants = 4;
constexpr int TilesWatched = 60;
QStringList g_files;

// Baseline: one camera picture decoded at full size.
void BM_FullDecode(benchmark::State &state)
{
    lybench::DecodeCameraPictures(state, g_files, Variants);
}
BENCHMARK(BM_FullDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

struct ChooserResult
{
    double firstTileMs = 0;
    double openBlockMs = 0;   // the show() call: window, library tree, listing the folder
    double maxUiBlockMs = 0;  // while loading, after the window was shown
    int tiles = 0;
    double seconds = 0;
};

void Click(QWidget *widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

ChooserResult RunChooser()
{
    ChooserResult result;
    TFrmLoadOnePic chooser;
    chooser.setLibrarySection(QStringLiteral("DirBlkSet"));
    chooser.setInitialEntry(0);
    lybench::UiBlockWatch watch;
    QElapsedTimer clock;
    clock.start();
    const qint64 before = lybench::UiBlockWatch::Now();
    chooser.show();
    result.openBlockMs = double(lybench::UiBlockWatch::Now() - before) / 1e6;
    watch.Start();
    TlyScrollboxImg *browser = chooser.ScrollBoxImg1;
    bool clicked = false;
    while (browser->CreatedCount() < TilesWatched && clock.elapsed() < 120000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (browser->CreatedCount() >= 1 && result.firstTileMs == 0)
            result.firstTileMs = double(clock.nsecsElapsed()) / 1e6;
        if (!clicked && browser->CreatedCount() >= 10) {
            watch.Tick();
            Click(browser->Tile(5)->picture());
            watch.Tick();
            clicked = true;
        }
    }
    watch.Tick();
    watch.Stop();
    result.maxUiBlockMs = watch.LongestMs();
    result.tiles = browser->CreatedCount();
    result.seconds = double(clock.nsecsElapsed()) / 1e9;
    chooser.close();
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/Program");
    const QString folder = program + QStringLiteral("/Picture/Camera");
    QDir().mkpath(folder);
    ly::OverrideProgramDir(program);
    ly::OverrideTempDir(dir.path() + QStringLiteral("/Temp"));
    ly::WriteConfig(QStringLiteral("DirBlkSet"), QStringLiteral("Number"), QStringLiteral("1"));
    ly::WriteConfig(QStringLiteral("DirBlkSet"), QStringLiteral("Path_0"), QStringLiteral("\\Picture\\Camera"));
    ly::WriteConfig(QStringLiteral("DirBlkSet"), QStringLiteral("Name_0"), QStringLiteral("Camera"));
    g_files = lybench::MakeCameraFolder(folder, PictureCount, Variants, true);
    std::printf("library folder: %d JPEG pictures of 4000 x 3000, %.1f MB each\n", PictureCount,
                double(QFileInfo(g_files.first()).size()) / 1048576.0);

    lybench::TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double fullDecodeMs = reporter.time("BM_FullDecode");

    RunChooser(); // warm: file cache, plugins, fonts
    const ChooserResult r = RunChooser();
    std::printf("first tile after %.1f ms = %.2f x one full decode (%.1f ms); %d tiles in %.1f s\n",
                r.firstTileMs, fullDecodeMs > 0 ? r.firstTileMs / fullDecodeMs : 0.0,
                fullDecodeMs, r.tiles, r.seconds);
    std::printf("longest UI block while loading and clicking: %.1f ms (opening the window: %.1f ms)\n",
                r.maxUiBlockMs, r.openBlockMs);
    std::printf("first_tile_ms=%.1f full_decode_ms=%.1f max_ui_block_ms=%.1f open_block_ms=%.1f\n",
                r.firstTileMs, fullDecodeMs, r.maxUiBlockMs, r.openBlockMs);
    benchmark::Shutdown();
    return 0;
}
