// The card player. First frame: a card with 20 MiB of media (songs and photos) from its
// start (the card's table checked, its packages unpacked, the project read, the windows made
// and drawn) against unpacking its packages alone, in the same process. Album: every
// transition style at 1280 × 720 composed frame by frame on this one thread, its slowest
// frame against the 50 ms a frame may take, and a plain frame copy of that size as the
// baseline of the same run.
#include "card/CardFile.h"
#include "card/Packer.h"
#include "editor/BuilderUnit.h"
#include "player/AlbumShow.h"
#include "player/CardSource.h"
#include "player/Sound.h"
#include "player/widgets/PlayerApp.h"
#include "shared/Paths.h"
#include "transitions/Effects.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <thread>
#include <random>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::abort();
}

QByteArray photo(int seed)
{
    QImage image(1280, 720, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x + seed * 40) & 255, (y * 2) & 255, int(rng() & 63));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

class Card
{
public:
    QTemporaryDir dir;
    QString card;
    QStringList packages; // the card's packages, taken out as files for the baseline

    Card()
    {
        const QString folder = dir.filePath(QStringLiteral("Rose/"));
        std::mt19937 rng(35);
        QByteArray random(2 * 1024 * 1024, Qt::Uninitialized);
        QByteArray ini = "[Application]\r\nFrmPicture=1\r\n[System]\r\nArrowPanelFlag=1\r\n"
                         "[FrmBlk]\r\nBlkCheckName=2\r\nBlkShadeIndex=2\r\nMusicCheckFlag=1\r\n"
                         "MusicNumber=7\r\n";
        for (int i = 0; i < 7; ++i) {
            for (char &c : random)
                c = char(rng());
            write(folder + QStringLiteral("Music/song%1.mp3").arg(i), random);
            ini += "MusicItem" + QByteArray::number(i) + "=\\Music\\song" + QByteArray::number(i) + ".mp3\r\n";
        }
        qint64 pictures = 0;
        ini += "[FrmPicture]\r\nDoPicRadio=1\r\nPicShowNum=12\r\n";
        for (int i = 0; i < 12; ++i) {
            const QByteArray jpg = photo(i);
            pictures += jpg.size();
            write(folder + QStringLiteral("Picture/p%1.jpg").arg(i), jpg);
            ini += "Item" + QByteArray::number(i) + "=\\Picture\\p" + QByteArray::number(i) + ".jpg\r\n";
        }
        // A last song makes up the rest of the 20 MiB.
        random.resize(int(20 * 1024 * 1024 - 7 * random.size() - pictures));
        for (char &c : random)
            c = char(rng());
        write(folder + QStringLiteral("Music/song7.mp3"), random);
        ini.replace("MusicNumber=7", "MusicNumber=8");
        ini.replace("[FrmPicture]", "MusicItem7=\\Music\\song7.mp3\r\n[FrmPicture]");
        write(folder + QStringLiteral("Rose.zpj"), ini);

        // The stub: this program, an ELF image like the player.
        ly::OverrideProgramDir(dir.path());
        QFile::copy(QStringLiteral("/proc/self/exe"), dir.filePath(QStringLiteral("Cardstub.dll")));
        write(dir.filePath(QStringLiteral("config.ini")), "[Finished]\r\n");
        card = dir.filePath(QStringLiteral("card.exe"));
        struct : ly::BuildProgress {
            void SetZipShow(const QString &) override {}
            void SetFileShow(const QString &) override {}
            void SetFileBar(int, int) override {}
        } progress;
        ly::StartCard(folder + QStringLiteral("Rose.zpj"), card);
        if (ly::CardBuilder(folder + QStringLiteral("Rose.zpj"), card, progress).Build()
            != ly::CardBuilder::Outcome::Built)
            std::abort();
        const QString out = dir.filePath(QStringLiteral("entries/"));
        ly::card::extractCard(card, out);
        packages = {out + QStringLiteral("Music.Tmp"), out + QStringLiteral("Picture.Tmp")};
    }
};

Card &card()
{
    static Card c;
    return c;
}

void BM_UnpackPackages(benchmark::State &state)
{
    Card &c = card();
    for (auto _ : state) {
        QTemporaryDir out;
        for (const QString &package : c.packages)
            ly::ExtractPackage(package, out.filePath(QFileInfo(package).baseName()));
    }
}

// As the player does on the desktop: the packages but the music unpacked, the windows made
// and drawn while the music is unpacked on another thread. The first frame is timed; the
// moment the music is there as well (the card starts) is reported beside it.
void BM_FirstFrame(benchmark::State &state)
{
    Card &c = card();
    ly::player::VirtualSoundOutput sound([](const QString &) { return qint64(60000); });
    double readyMs = 0;
    for (auto _ : state) {
        QTemporaryDir out;
        QElapsedTimer timer;
        timer.start();
        std::function<void()> unpackMusic;
        const ly::player::CardProject project =
            ly::player::UnpackCard(c.card, out.path(), &unpackMusic);
        std::thread unpacking(unpackMusic);
        ly::player::CardStage stage(project, sound, 1, QString(), true);
        stage.show();
        benchmark::DoNotOptimize(stage.grabScreen());
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        unpacking.join();
        readyMs += double(timer.nsecsElapsed()) / 1e6;
    }
    state.counters["music_ready_ms"] = readyMs / double(state.iterations());
}

void BM_FrameCopy(benchmark::State &state)
{
    QImage from(1280, 720, QImage::Format_RGB32);
    from.fill(Qt::red);
    QImage to(1280, 720, QImage::Format_RGB32);
    for (auto _ : state) {
        std::memcpy(to.bits(), from.constBits(), size_t(from.sizeInBytes()));
        benchmark::DoNotOptimize(to.bits());
    }
}

void repeated(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(5)->ReportAggregatesOnly(true);
}

void configure(benchmark::internal::Benchmark *b)
{
    repeated(b);
    b->UseRealTime();
}

BENCHMARK(BM_UnpackPackages)->Apply(configure);
BENCHMARK(BM_FirstFrame)->Apply(repeated)->UseManualTime();
BENCHMARK(BM_FrameCopy)->Unit(benchmark::kMicrosecond);

// The slowest frame of any style's transition at 1280 × 720, composed as the album window
// composes it, in ms.
double slowestAlbumFrame()
{
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("Picture/a.jpg")), photo(1));
    write(dir.filePath(QStringLiteral("Picture/b.jpg")), photo(2));
    double slowest = 0;
    for (int style = 1; style <= ly::transitions::kStyleCount; ++style) {
        ly::FrmPictureSection section;
        section.fullScreen = true;
        section.pictures = {{QStringLiteral("a.jpg"), QString(), 151 - style},
                            {QStringLiteral("b.jpg"), QString(), 151 - style}};
        ly::player::AlbumShow album(section, dir.path(), 1);
        const qint64 start = album.slotLength();
        album.render(QSize(1280, 720), start - 1); // the first picture stands, the next is made ready
        album.advanceTo(start); // the second picture's transition, from the first
        for (qint64 t = start; t <= start + ly::player::AlbumShow::kTransitionMs;
             t += ly::player::AlbumShow::kFrameMs) {
            QElapsedTimer timer;
            timer.start();
            benchmark::DoNotOptimize(album.render(QSize(1280, 720), t));
            slowest = std::max(slowest, timer.nsecsElapsed() / 1e6);
        }
    }
    return slowest;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lybench::InitializeInterleaved(argc, argv);
    card();
    lybench::TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double base = reporter.time("BM_UnpackPackages");
    if (base > 0)
        std::printf("\nFirst frame / unpacking the packages alone (medians): %.3f (goal below 1.3)\n",
                    reporter.time("BM_FirstFrame") / base);
    const double slowest = slowestAlbumFrame();
    const double copy = reporter.time("BM_FrameCopy") / 1000.0; // in ms
    std::printf("Album at 1280 x 720, slowest transition frame / the 50 ms a frame may take: %.3f "
                "(goal below 1); / a plain frame copy: %.1f\n",
                slowest / ly::player::AlbumShow::kFrameMs, copy > 0 ? slowest / copy : 0.0);
    benchmark::Shutdown();
    return 0;
}
