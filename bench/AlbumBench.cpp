// The album editor adding 200 camera pictures (4000 x 3000 JPEG, made here in a temporary
// folder) one after another, as the multi-picture chooser hands them on, and then playing a
// row's transition in its 470 x 330 preview.
//
// Adding: the longest time the user-interface thread was busy (its own CPU time between two
// ticks of a 1 ms timer) while the rows were added and measured, against the baseline of
// reading one picture whole on that thread, which an add step that measured on the spot would
// cost at least. Preview: the time the transition takes (20 frames of 50 ms) against the
// engine's own pace, the same transition in a bare TPicTransition of the same size.
// The last line: max_ui_block_ms=N full_decode_ms=N block_ratio=N preview_ratio=N

#include "editor/widgets/MainUnit.h"
#include "editor/widgets/PictureUnit.h"
#include "shared/Paths.h"
#include "shared/widgets/Notice.h"
#include "transitions/widgets/PicTransition.h"

#include "BenchSupport.h"
#include "CameraPictures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int PictureCount = 200;
constexpr int Variants = 4;
QStringList g_files;

// Baseline: one camera picture decoded at full size on the calling thread.
void BM_FullDecode(benchmark::State &state)
{
    lybench::DecodeCameraPictures(state, g_files, Variants);
}
BENCHMARK(BM_FullDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

struct AddResult
{
    double maxUiBlockMs = 0;
    double seconds = 0;
    int rows = 0;
};

AddResult AddPictures(TFrmPicture &album)
{
    lybench::UiBlockWatch watch;
    QElapsedTimer clock;
    clock.start();
    watch.Start();
    // The chooser hands on one picture per click: the event loop runs between them.
    for (const QString &file : g_files) {
        album.AddPicture(file);
        watch.Tick();
        QCoreApplication::processEvents();
    }
    waitFor([&album] { return !album.Loading(); }, 600000);
    watch.Stop();
    return {watch.LongestMs(), clock.elapsed() / 1000.0, album.ListView1->topLevelItemCount()};
}

// Milliseconds one transition takes in the editor's preview, and in a bare control.
double PreviewMs(TFrmPicture &album)
{
    album.ListView1->clearSelection();
    album.ListView1->topLevelItem(0)->setSelected(true);
    waitFor([&album] { return album.PicTransition1->Busy(); }, 20000);
    QElapsedTimer clock;
    clock.start();
    waitFor([&album] { return !album.PicTransition1->Busy(); }, 20000);
    return double(clock.elapsed());
}

double BareMs(const QImage &picture, int style)
{
    TPicTransition control;
    control.resize(TFrmPicture::kPreviewWidth, TFrmPicture::kPreviewHeight);
    control.SetAutoSize(false);
    control.SetDelay(50);
    control.SetStep(5);
    control.SetStretch(true);
    control.SetOverDraw(false);
    control.SetStyle(style);
    control.SetPicture(picture);
    control.show();
    QElapsedTimer clock;
    clock.start();
    control.Execute();
    waitFor([&control] { return !control.Busy(); }, 20000);
    return double(clock.elapsed());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    ly::SetNoticeHook([](int, const QString &) {});

    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/Program");
    const QString folder = dir.path() + QStringLiteral("/Camera");
    QDir().mkpath(program);
    QDir().mkpath(folder);
    ly::OverrideProgramDir(program);
    ly::OverrideTempDir(dir.path() + QStringLiteral("/Temp"));
    g_files = lybench::MakeCameraFolder(folder, PictureCount, Variants, true);

    lybench::TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double fullDecodeMs = reporter.time("BM_FullDecode");

    TFrmMain main;
    QDir().mkpath(dir.path() + QStringLiteral("/Card"));
    main.OpenProject(dir.path() + QStringLiteral("/Card/Card.zpj"));
    auto *album = new TFrmPicture(main);
    album->show();
    const AddResult r = AddPictures(*album);
    std::printf("%d rows of 4000 x 3000 JPEG pictures added and measured in %.1f s\n", r.rows, r.seconds);
    std::printf("longest UI block while adding: %.2f ms = %.3f x one full decode (%.1f ms)\n",
                r.maxUiBlockMs, fullDecodeMs > 0 ? r.maxUiBlockMs / fullDecodeMs : 0.0, fullDecodeMs);

    album->ListView1->topLevelItem(0)->setText(TFrmPicture::ColEffectIndex, QStringLiteral("33"));
    PreviewMs(*album); // warm
    const double previewMs = PreviewMs(*album);
    const double bareMs = BareMs(lybench::CameraPicture(0).scaled(440, 330, Qt::KeepAspectRatio), 118);
    std::printf("preview transition at 470 x 330: %.0f ms, bare control: %.0f ms, ratio %.2f\n",
                previewMs, bareMs, bareMs > 0 ? previewMs / bareMs : 0.0);
    std::printf("max_ui_block_ms=%.2f full_decode_ms=%.1f block_ratio=%.3f preview_ratio=%.2f\n",
                r.maxUiBlockMs, fullDecodeMs, fullDecodeMs > 0 ? r.maxUiBlockMs / fullDecodeMs : 0.0,
                bareMs > 0 ? previewMs / bareMs : 0.0);
    delete album;
    return 0;
}
