// A whole card build against packing the project's folders alone, in the same process. The
// project: 20 MiB of media in the five packed folders and a movie (mostly incompressible
// bytes, as music, pictures and movies are, and some text), listed in its project file so the
// tidy keeps every file. The build runs as the wizard runs it: the tidy, StartCard (the stub
// copy) and the build procedure (packing, appending, the entry table, the records, deleting
// the packages). The baseline packs the same five folders. Printed at the end: the build's
// time as a ratio of the baseline's (medians of the repetitions).
#include "editor/BuilderUnit.h"
#include "card/Packer.h"
#include "shared/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

const char *const kFolders[] = {"Music", "Picture", "Res", "Flash", "PicBox"};

class Project
{
public:
    QTemporaryDir dir;
    QString folder;
    QString file;
    QString output;

    Project()
    {
        folder = dir.filePath(QStringLiteral("Rose/"));
        file = folder + QStringLiteral("Rose.zpj");
        output = dir.filePath(QStringLiteral("Rose.exe"));
        for (const char *name : kFolders)
            QDir().mkpath(folder + QLatin1String(name));
        QDir().mkpath(folder + QStringLiteral("Movie"));

        QByteArray ini = "[FrmBlk]\r\nBlkCheckName=2\r\nMusicCheckFlag=1\r\nMusicNumber=6\r\n";
        for (int i = 0; i < 6; ++i) {
            add(QStringLiteral("Music/song%1.mp3").arg(i), random(1024 * 1024));
            ini += "MusicItem" + QByteArray::number(i) + "=\\Music\\song" + QByteArray::number(i)
                   + ".mp3\r\n";
        }
        ini += "[FrmPicture]\r\nFillBoxPicFlag=1\r\nPicShowNum=16\r\n";
        for (int i = 0; i < 16; ++i) {
            add(QStringLiteral("Picture/photo%1.jpg").arg(i), random(512 * 1024));
            ini += "Item" + QByteArray::number(i) + "=\\Picture\\photo" + QByteArray::number(i)
                   + ".jpg\r\n";
        }
        for (const char *piece : {"TopLeft", "Top", "TopRight", "Left", "Right", "BottomLeft",
                                  "Bottom", "BottomRight"})
            add(QStringLiteral("PicBox/%1.bmp").arg(QLatin1String(piece)), random(64 * 1024));
        ini += "[FrmFlash]\r\nNumber=2\r\n";
        for (int i = 0; i < 2; ++i) {
            add(QStringLiteral("Flash/anim%1.swf").arg(i), random(1024 * 1024));
            ini += "SwfItem_" + QByteArray::number(i) + "=\\Flash\\anim" + QByteArray::number(i)
                   + ".swf\r\n";
        }
        ini += "[FrmMovie]\r\nNumber=1\r\nItem0=\\Movie\\film.avi\r\n";
        add(QStringLiteral("Movie/film.avi"), random(1536 * 1024));
        ini += "[PictureText]\r\n";
        for (int i = 0; i < 4; ++i) {
            add(QStringLiteral("Res/text%1.txt").arg(i), text(512 * 1024));
            ini += "Text" + QByteArray::number(i) + "=\\Res\\text" + QByteArray::number(i)
                   + ".txt\r\n";
        }
        write(file, ini);
    }

private:
    std::mt19937 m_rng{1912};

    QByteArray random(qsizetype size)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        for (char &c : bytes)
            c = char(m_rng());
        return bytes;
    }

    QByteArray text(qsizetype size)
    {
        static const char *const words[] = {"happy", "birthday", "to", "you", "dear", "friend",
                                            "with", "love", "and", "best", "wishes", "for", "a",
                                            "wonderful", "year", "the", "music", "card"};
        QByteArray t;
        while (t.size() < size) {
            t += words[m_rng() % std::size(words)];
            t += m_rng() % 12 == 0 ? "\r\n" : " ";
        }
        t.truncate(size);
        return t;
    }

    void add(const QString &relative, const QByteArray &bytes) { write(folder + relative, bytes); }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            std::abort();
    }
};

// A program folder with a stub and a config.ini, where the build records its card.
class ProgramFolder
{
public:
    QTemporaryDir dir;

    ProgramFolder()
    {
        QFile stub(dir.filePath(QStringLiteral("Cardstub.dll")));
        QFile config(dir.filePath(QStringLiteral("config.ini")));
        if (!stub.open(QIODevice::WriteOnly) || stub.write(QByteArray(300 * 1024, '\x90')) < 0
            || !config.open(QIODevice::WriteOnly) || config.write("[Finished]\r\n") < 0)
            std::abort();
        ly::OverrideProgramDir(dir.path());
    }
};

Project &project()
{
    static ProgramFolder program;
    static Project p;
    return p;
}

class NoProgress : public ly::BuildProgress
{
public:
    void SetZipShow(const QString &) override {}
    void SetFileShow(const QString &) override {}
    void SetFileBar(int, int) override {}
};

void BM_PackFolders(benchmark::State &state)
{
    const Project &p = project();
    for (auto _ : state)
        for (const char *name : kFolders)
            ly::PackFolder(p.folder + QLatin1String(name));
}

void BM_BuildCard(benchmark::State &state)
{
    const Project &p = project();
    NoProgress progress;
    for (auto _ : state) {
        ly::TidyProjectFolder(p.file);
        ly::StartCard(p.file, p.output);
        if (ly::CardBuilder(p.file, p.output, progress).Build() != ly::CardBuilder::Outcome::Built)
            std::abort();
    }
}

void configure(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2)->Repetitions(7)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_PackFolders)->Apply(configure);
BENCHMARK(BM_BuildCard)->Apply(configure);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // the packer lets the event loop run between members
    lybench::InitializeInterleaved(argc, argv);
    project();
    lybench::TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double base = reporter.time("BM_PackFolders");
    if (base > 0)
        std::printf("\nBuild / packing the folders alone (medians): %.3f\n",
                    reporter.time("BM_BuildCard") / base);
    benchmark::Shutdown();
    return 0;
}
