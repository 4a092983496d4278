#include "PackageFixtures.h"

#include "card/Package.h"
#include "card/Packer.h"
#include "support/Sandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <utility>
#include <vector>

namespace {

using namespace packagetest;
using lytest::readFile;
using Files = QMap<QString, QByteArray>;

// Receives the packer's progress notices and asks for a stop at a given running number.
class ProgressRecorder : public QObject
{
public:
    std::vector<std::pair<int, int>> notices; // (total, running)
    int stopAt = -1;

    bool event(QEvent *e) override
    {
        if (e->type() != ly::WM_PACKPROGRESS)
            return QObject::event(e);
        const auto *n = static_cast<ly::PackProgressEvent *>(e);
        notices.emplace_back(n->total(), n->running());
        if (n->running() == stopAt)
            ly::StopRequest = 1;
        return true;
    }
};

class PackerTest : public lytest::SandboxTest
{
protected:
    ~PackerTest() override { ly::ProgressWindow = nullptr; }

    QString makeFolder(const QString &name, const QList<std::pair<QString, QByteArray>> &files)
    {
        QDir().mkpath(sandbox.root() + name);
        for (const auto &[file, bytes] : files)
            sandbox.writeFile(name + "/" + file, bytes);
        return sandbox.root() + name;
    }

    // The files directly in a folder, by name.
    static Files filesIn(const QString &folder)
    {
        Files files;
        for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            files.insert(name, readFile(folder + "/" + name));
        return files;
    }

    static QStringList indexLines(const QString &package)
    {
        return ly::package::readIndex(package).lines;
    }
};

TEST_F(PackerTest, PacksTheFilesOfTheFolderByteForByteAsTheLayoutDescribes)
{
    const QByteArray a = randomBytes(5000, 1);
    const QByteArray b = QByteArray("la la la ").repeated(300);
    const QString folder = makeFolder("Music", {{"b.jpg", b}, {"a.jpg", a}});

    ly::PackFolder(folder);

    const QByteArray ma = member(a), mb = member(b);
    const QByteArray index = indexLine("a.jpg", ma.size()) + indexLine("b.jpg", mb.size());
    EXPECT_EQ(readFile(sandbox.root() + "Music.tmp"), withTrailer(ma + mb + index, index));
}

TEST_F(PackerTest, PackagesMatchAnIndependentWriterAndReader)
{
    const QList<std::pair<QString, QByteArray>> files = {
        {"empty", {}},
        {"my song.mp3", randomBytes(200000, 4)},
        {"notes.txt", QByteArray("Happy birthday!\r\n").repeated(500)},
    };
    const QString folder = makeFolder("Picture", files);
    ly::PackFolder(folder + "/");

    const QString theirs = sandbox.root() + "theirs.tmp";
    ASSERT_NO_FATAL_FAILURE(runPackagePy({"write", theirs, folder + "/empty",
                                          folder + "/my song.mp3", folder + "/notes.txt"}));
    EXPECT_EQ(readFile(sandbox.root() + "Picture.tmp"), readFile(theirs));

    QDir().mkpath(sandbox.root() + "read");
    ASSERT_NO_FATAL_FAILURE(runPackagePy({"read", sandbox.root() + "Picture.tmp",
                                          sandbox.root() + "read"}));
    EXPECT_EQ(filesIn(sandbox.root() + "read"), filesIn(folder));

    ly::ExtractPackage(theirs, sandbox.root() + "ours");
    EXPECT_EQ(filesIn(sandbox.root() + "ours"), filesIn(folder));
}

TEST_F(PackerTest, LeavesOutThumbsDbAndSubfoldersAndUnpacksUnderThePackedNames)
{
    const QString folder = makeFolder("Res", {
                                                 {"Thumbs.db", "thumbnail cache"},
                                                 {"thumbs.DB", "an ordinary file"},
                                                 {".hidden", "hidden"},
                                                 {"my song.mp3", randomBytes(999, 5)},
                                                 {"empty", {}},
                                                 {"sub/inner.txt", "not packed"},
                                             });
    EXPECT_EQ(ly::CountFiles(folder), 5);

    ly::PackFolder(folder);

    QStringList names;
    for (const QString &line : indexLines(sandbox.root() + "Res.tmp"))
        names << ly::package::itemValue(line, u"FileName");
    EXPECT_EQ(names, QStringList({".hidden.tmp", "empty.tmp", "my song.mp3.tmp", "thumbs.DB.tmp"}));

    ly::ExtractPackage(sandbox.root() + "Res.tmp", sandbox.root() + "out/");
    Files expected = filesIn(folder);
    expected.remove("Thumbs.db");
    EXPECT_EQ(filesIn(sandbox.root() + "out"), expected);
    EXPECT_FALSE(QFile::exists(sandbox.root() + "out/sub"));
}

TEST_F(PackerTest, AFolderWithoutMembersGivesAnEmptyPackage)
{
    const struct
    {
        const char *what;
        QList<std::pair<QString, QByteArray>> files;
        int count;
    } cases[] = {
        {"Thumbs.db only", {{"Thumbs.db", "cache"}}, 1},
        {"subfolder only", {{"sub/x.jpg", "x"}}, 0},
        {"nothing", {}, 0},
    };
    for (const auto &c : cases) {
        const QString folder = makeFolder("Flash", c.files);
        const QString package = sandbox.writeFile("Flash.tmp", "an earlier package");
        EXPECT_EQ(ly::CountFiles(folder), c.count) << c.what;
        ly::PackFolder(folder);
        EXPECT_EQ(readFile(package), le32(4)) << c.what;
        ly::ExtractPackage(package, sandbox.root() + "out");
        EXPECT_TRUE(QDir(sandbox.root() + "out").isEmpty()) << c.what;
        QDir(folder).removeRecursively();
    }
}

TEST_F(PackerTest, CountFilesCountsRegularFilesDirectlyInTheFolder)
{
    const QString folder = makeFolder("Movie", {{"a", "1"}, {".b", "2"}, {"Thumbs.db", "3"},
                                                {"sub/c", "4"}});
    QDir().mkpath(folder + "/empty sub");
    EXPECT_EQ(ly::CountFiles(folder), 3);
    EXPECT_EQ(ly::CountFiles(folder + "/"), 3);
    EXPECT_EQ(ly::CountFiles(sandbox.root() + "missing"), 0);
}

TEST_F(PackerTest, ReplacesAnEarlierPackageEntirely)
{
    const QString folder = makeFolder("PicBox", {{"frame.png", "tiny"}});
    const QString package = sandbox.writeFile("PicBox.tmp", randomBytes(100000, 6));
    ly::PackFolder(folder);
    const QByteArray index = indexLine("frame.png", member("tiny").size());
    EXPECT_EQ(readFile(package), withTrailer(member("tiny") + index, index));
}

TEST_F(PackerTest, AFailedPackLeavesTheEarlierPackageAndNoHalfWrittenFile)
{
    const QString earlier = "an earlier package";
    const struct
    {
        const char *what;
        QString file;
        qint64 size; // written as a sparse file, never read
    } cases[] = {
        {"a name the index cannot hold", "song #1.mp3", 10},
        {"a file too large for a package", "huge.avi", qint64(1) << 31},
    };
    for (const auto &c : cases) {
        const QString folder = makeFolder("Music", {{"a.mp3", "first"}, {"z.mp3", "last"}});
        QFile big(folder + "/" + c.file);
        ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(c.size)) << c.what;
        big.close();
        const QString package = sandbox.writeFile("Music.tmp", earlier.toUtf8());

        EXPECT_THROW(ly::PackFolder(folder), ly::Error) << c.what;

        EXPECT_EQ(readFile(package), earlier.toUtf8()) << c.what;
        EXPECT_EQ(QDir(sandbox.root()).entryList(QDir::Files), QStringList({"Music.tmp"}))
            << c.what;
        QDir(folder).removeRecursively();
    }
    EXPECT_THROW(ly::PackFolder(sandbox.root() + "missing"), ly::Error);
    EXPECT_FALSE(QFile::exists(sandbox.root() + "missing.tmp"));
}

TEST_F(PackerTest, WorkerThreadsWriteTheSameBytesAsOneMemberAtATime)
{
    QList<std::pair<QString, QByteArray>> files;
    for (int i = 0; i < 14; ++i) {
        const QByteArray bytes = i % 2 ? randomBytes(30000 * i, unsigned(i))
                                       : QByteArray("text of file ").repeated(2000 * i)
                                             + QByteArray::number(i);
        files.append({QStringLiteral("f%1.bin").arg(i), bytes});
    }
    const QString folder = makeFolder("Picture", files);
    const QString package = sandbox.root() + "Picture.tmp";

    ly::PackFolder(folder, 1);
    const QByteArray oneAtATime = readFile(package);
    ASSERT_EQ(indexLines(package).size(), 14);
    for (int threads : {0, 2, 5}) {
        ly::PackFolder(folder, threads);
        EXPECT_EQ(readFile(package), oneAtATime) << threads << " threads";
    }
}

TEST_F(PackerTest, PostsProgressForEveryEntryExamined)
{
    const QString folder = makeFolder("Music", {{"a.mp3", "a"}, {"b/inner", "b"},
                                                {"Thumbs.db", "c"}, {"z.mp3", "z"}});
    ProgressRecorder recorder;
    ly::ProgressWindow = &recorder;
    ly::PackFolder(folder);
    QCoreApplication::processEvents();

    // Three files count; four entries are examined (the subfolder too).
    const std::vector<std::pair<int, int>> expected = {{3, 1}, {3, 2}, {3, 3}, {3, 4}};
    EXPECT_EQ(recorder.notices, expected);
}

TEST_F(PackerTest, NoticesToADeletedReceiverAreLost)
{
    // Counts the progress notices delivered to any object of the program.
    struct NoticeCounter : QObject
    {
        int seen = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            seen += e->type() == ly::WM_PACKPROGRESS;
            return false;
        }
    } counter;
    qApp->installEventFilter(&counter);
    auto *receiver = new ProgressRecorder;
    ly::ProgressWindow = receiver;
    delete receiver;
    ly::PackFolder(makeFolder("Music", {{"a.mp3", "a"}}));
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&counter);
    EXPECT_EQ(counter.seen, 0);
    EXPECT_EQ(indexLines(sandbox.root() + "Music.tmp").size(), 1);
}

TEST_F(PackerTest, AStopRequestEndsThePackAfterTheMemberInHandWithAValidPackage)
{
    QList<std::pair<QString, QByteArray>> files;
    for (int i = 0; i < 6; ++i)
        files.append({QStringLiteral("p%1.jpg").arg(i), randomBytes(50000, unsigned(i))});
    const QString folder = makeFolder("Picture", files);
    for (int threads : {1, 0}) {
        ProgressRecorder recorder;
        recorder.stopAt = 2;
        ly::ProgressWindow = &recorder;

        ly::PackFolder(folder, threads);

        EXPECT_EQ(ly::StopRequest, 0);
        EXPECT_EQ(indexLines(sandbox.root() + "Picture.tmp").size(), 2) << threads << " threads";
        const QString out = sandbox.root() + QStringLiteral("out%1").arg(threads);
        ly::ExtractPackage(sandbox.root() + "Picture.tmp", out);
        const Files expected = {{"p0.jpg", files[0].second}, {"p1.jpg", files[1].second}};
        EXPECT_EQ(filesIn(out), expected);
    }
}

TEST_F(PackerTest, BothOperationsKeepAScratchFolderInTheTempFolder)
{
    const QString scratch = sandbox.tempDir() + "qrj";
    ly::PackFolder(makeFolder("Res", {{"a", "a"}}));
    EXPECT_TRUE(QFileInfo(scratch).isDir());
    QDir(scratch).removeRecursively();
    ly::ExtractPackage(sandbox.root() + "Res.tmp", sandbox.root() + "out");
    EXPECT_TRUE(QFileInfo(scratch).isDir());
    EXPECT_TRUE(QDir(scratch).isEmpty());
}

using UnpackTest = PackerTest;

TEST_F(UnpackTest, ExtractsFromTheLastMemberToTheFirstAndReplacesExistingFiles)
{
    const QString package = sandbox.writeFile(
        "Blk.tmp", packageOf({{"index.htm", "<html>"}, {"a b.gif", randomBytes(777, 7)}}));
    sandbox.writeFile("dest/index.htm", "an older page that is longer");
    ProgressRecorder recorder;
    ly::ProgressWindow = &recorder;

    ly::ExtractPackage(package, sandbox.root() + "dest/");
    QCoreApplication::processEvents();

    const Files expected = {{"index.htm", "<html>"}, {"a b.gif", randomBytes(777, 7)}};
    EXPECT_EQ(filesIn(sandbox.root() + "dest"), expected);
    const std::vector<std::pair<int, int>> notices = {{2, 1}, {2, 2}};
    EXPECT_EQ(recorder.notices, notices);

    // Of two members with one name, the first is extracted last and stays.
    ly::ExtractPackage(sandbox.writeFile("twice.tmp", packageOf({{"a", "first"}, {"a", "second"}})),
                       sandbox.root() + "twice");
    EXPECT_EQ(readFile(sandbox.root() + "twice/a"), QByteArray("first"));
}

TEST_F(UnpackTest, AStopRequestEndsTheUnpackAfterTheMemberInHand)
{
    const QString package = sandbox.writeFile("p.tmp", packageOf({{"a", "1"}, {"b", "2"}, {"c", "3"}}));
    ProgressRecorder recorder;
    recorder.stopAt = 1;
    ly::ProgressWindow = &recorder;
    ly::ExtractPackage(package, sandbox.root() + "dest");
    EXPECT_EQ(filesIn(sandbox.root() + "dest"), Files({{"c", "3"}}));
    EXPECT_EQ(ly::StopRequest, 0);
}

TEST_F(UnpackTest, AMissingPackageIsAWarningAndDoesNothing)
{
    try {
        ly::ExtractPackage(sandbox.root() + "none.tmp", sandbox.root() + "dest");
        FAIL() << "no error";
    } catch (const ly::PackageError &e) {
        EXPECT_EQ(e.kind(), ly::PackageError::WarningNotice);
        EXPECT_EQ(e.text(), QStringLiteral("Did not find out this material document."));
    }
    EXPECT_FALSE(QFile::exists(sandbox.root() + "dest"));
}

// Hostile and damaged packages: each ends with its error text and writes nothing outside the
// destination, and nothing in it but the members before the failure.
TEST_F(UnpackTest, RefusesHostileAndDamagedPackages)
{
    const QByteArray data = QByteArray("evil data ").repeated(50);
    const QByteArray m = member(data);
    const QByteArray stream = zlibStream(data);
    const QByteArray mSize = QByteArray::number(m.size());
    const auto single = [](const QByteArray &memberBytes, const QByteArray &line) {
        return withTrailer(memberBytes + line, line);
    };
    const auto named = [&](const QByteArray &name) { return single(m, indexLine(name, m.size())); };
    const auto sized = [&](const QByteArray &size) {
        return single(m, "FileName=evil.tmp#FileSize=" + size + "\r\n");
    };
    const auto declaring = [&](qint64 length) {
        const QByteArray bad = le64(length) + stream;
        return single(bad, indexLine("evil", bad.size()));
    };
    QByteArray corrupt = m;
    corrupt[30] = char(corrupt[30] ^ 0x20);
    // Each size fits on its own; the second member (extracted first) is fine.
    const QByteArray twoLines = indexLine("evil", m.size() + 5) + indexLine("evil2", m.size());
    const QString willClose = ly::kZeroTrailerText;
    const QString failed = ly::kUnpackFailedText;
    const struct
    {
        const char *what;
        QByteArray package;
        QString text;
        QStringList extracted;
    } cases[] = {
        {"zero trailer", m + indexLine("evil", m.size()) + le32(0), willClose, {}},
        {"only a zero trailer", le32(0), willClose, {}},
        {"shorter than a trailer", QByteArray("\x04\0", 2), failed, {}},
        {"empty file", QByteArray(), failed, {}},
        {"trailer beyond the file", m + indexLine("evil", m.size()) + le32(100000), failed, {}},
        {"trailer below 4", m + le32(3), failed, {}},
        {"garbage", randomBytes(3000, 9), failed, {}},
        {"parent folder", named("../evil"), failed, {}},
        {"parent folder, backslash", named("..\\evil"), failed, {}},
        {"into a subfolder", named("sub/evil"), failed, {}},
        {"absolute path", named(sandbox.root().toUtf8() + "evil"), failed, {}},
        {"name that is ..", named(".."), failed, {}},
        {"name that is .", named("."), failed, {}},
        {"empty name", named(""), failed, {}},
        {"name shorter than .tmp", single(m, "FileName=ev#FileSize=" + mSize + "\r\n"), failed, {}},
        {"name with a NUL", named(QByteArray("evil\0/../x", 10)), failed, {}},
        {"no FileName item", single(m, "Name=evil.tmp#FileSize=" + mSize + "\r\n"), failed, {}},
        {"no FileSize item", single(m, "FileName=evil.tmp\r\n"), failed, {}},
        {"negative size", sized("-" + mSize), failed, {}},
        {"size not a number", sized("12abc"), failed, {}},
        {"empty size", sized(""), failed, {}},
        {"size larger than the file", sized("100000"), failed, {}},
        {"size with 30 digits", sized(QByteArray(30, '9')), failed, {}},
        {"size shorter than the length field", sized("5"), failed, {}},
        {"sizes summing beyond the index", withTrailer(m + m + twoLines, twoLines), failed, {"evil2"}},
        {"empty index line", single(m, "\r\n"), failed, {}},
        {"declared length too large", declaring(data.size() + 1), failed, {}},
        {"declared length too small", declaring(data.size() - 1), failed, {}},
        {"declared length huge", declaring(qint64(1) << 60), failed, {}},
        {"declared length negative", declaring(-5), failed, {}},
        {"corrupt stream", single(corrupt, indexLine("evil", corrupt.size())), failed, {}},
        {"stream cut short", single(m.chopped(6), indexLine("evil", m.size() - 6)), failed, {}},
        {"bytes after the stream's end", single(m + "extra", indexLine("evil", m.size() + 5)),
         failed, {}},
    };
    const QString dest = sandbox.root() + "a/b/dest";
    QDir().mkpath(sandbox.root() + "a/b");
    for (const auto &c : cases) {
        const QString package = sandbox.writeFile("hostile.tmp", c.package);
        try {
            ly::ExtractPackage(package, dest);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ly::PackageError &e) {
            EXPECT_EQ(e.kind(), ly::PackageError::ErrorNotice) << c.what;
            EXPECT_EQ(e.text(), c.text) << c.what;
        }
        EXPECT_EQ(QDir(dest).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  c.extracted)
            << c.what;
        QDirIterator it(sandbox.root(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            EXPECT_TRUE(!it.fileName().contains("evil") || path.startsWith(dest + "/"))
                << c.what << ": " << path.toStdString();
        }
        QDir(dest).removeRecursively();
    }
}

TEST_F(UnpackTest, AFailureKeepsTheFilesAlreadyExtractedButNoPartOfTheFailedOne)
{
    QByteArray bad = member(randomBytes(400000, 10));
    bad[bad.size() - 3] = char(bad[bad.size() - 3] ^ 1); // the checksum no longer matches
    const QByteArray good = member("fine");
    const QByteArray index = indexLine("bad.bin", bad.size()) + indexLine("good.txt", good.size());
    const QString package = sandbox.writeFile("p.tmp", withTrailer(bad + good + index, index));
    const QString dest = sandbox.root() + "dest";

    EXPECT_THROW(ly::ExtractPackage(package, dest), ly::PackageError);

    EXPECT_EQ(QDir(dest).entryList(QDir::Files | QDir::Hidden), QStringList({"good.txt"}));
}

} // namespace
