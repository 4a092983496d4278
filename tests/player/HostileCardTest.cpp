#include "PlayerFixture.h"

#include "card/PackageFixtures.h"
#include "card/CardFile.h"
#include "player/CardPlayer.h"
#include "player/CardSource.h"
#include "player/Sound.h"

#include <QDirIterator>

#include <functional>
#include <thread>

namespace {

using playertest::PlayerTest;
using playertest::RunResult;
using packagetest::le32;
using packagetest::le64;

// Every file below the sandbox except the programs' own folder.
QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

QByteArray table(const QList<QByteArray> &lines)
{
    QByteArray t;
    for (const QByteArray &line : lines)
        t += line + "\r\n";
    return t + le32(quint32(t.size() + 4));
}

// A package member that declares `declared` bytes but holds a tiny stream.
QByteArray lyingMember(qint64 declared)
{
    return le64(declared) + packagetest::zlibStream("x");
}

class HostileCardTest : public PlayerTest
{
protected:
    QByteArray stubBytes() { return lytest::readFile(stub()); }

    // Writes a card from the stub and what follows it; runs it; checks the refusal.
    void expectRefused(const char *what, const QByteArray &behind, const char *message)
    {
        SCOPED_TRACE(what);
        const QString card = sandbox.root() + "hostile.exe";
        QFile f(card);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(stubBytes() + behind);
        f.close();
        f.setPermissions(QFile::permissions(stub()));
        const QStringList before = filesBelow(sandbox.root());
        const RunResult r = run(card, {"--run-to-end"}, 60000);
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
        EXPECT_EQ(filesBelow(sandbox.root()), before);
        EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(" ").toStdString();
    }
};

TEST_F(HostileCardTest, DamagedCardsEndWithOneMessageAndNothingWritten)
{
    const QByteArray project = "[FrmBlk]\r\nBlkCheckName=2\r\n";
    const QByteArray zpj = "Id=zpj#FileName=Rose.zpj#Size=" + QByteArray::number(project.size());
    const QByteArray music = lyingMember(qint64(2000) * 1024 * 1024);
    const QByteArray bomb = music + music + music
                            + table({"FileName=a.mp3.tmp#FileSize=" + QByteArray::number(music.size()),
                                     "FileName=b.mp3.tmp#FileSize=" + QByteArray::number(music.size()),
                                     "FileName=c.mp3.tmp#FileSize=" + QByteArray::number(music.size())});
    const QByteArray escaping = packagetest::member("evil");
    const QByteArray escapingPackage =
        escaping + table({"FileName=../../evil.tmp#FileSize=" + QByteArray::number(escaping.size())});

    expectRefused("plain stub", QByteArray(), "holds no card");
    expectRefused("zero trailer", QByteArray(4, '\0'), "cannot be played");
    expectRefused("truncated", QByteArray(project + table({zpj})).chopped(3), "cannot be played");
    expectRefused("lying size", project + table({"Id=zpj#FileName=Rose.zpj#Size=999999999"}),
                  "cannot be played");
    expectRefused("escaping entry name",
                  project + table({"Id=zpj#FileName=../Rose.zpj#Size=" + QByteArray::number(project.size())}),
                  "cannot be played");
    expectRefused("bytes before the first entry", "junk" + project + table({zpj}), "do not follow");
    expectRefused("huge declared unpack size",
                  bomb + project
                      + table({"Id=Music#FileName=Music.Tmp#Size=" + QByteArray::number(bomb.size()), zpj}),
                  "more than this computer");
    expectRefused("escaping member name",
                  escapingPackage + project
                      + table({"Id=Res#FileName=Res.Tmp#Size=" + QByteArray::number(escapingPackage.size()),
                               zpj}),
                  "cannot be played");
    const QByteArray good = packagetest::packageOf({{"a.txt", "x"}});
    expectRefused("two packages of one kind",
                  good + good + project
                      + table({"Id=Res#FileName=Res.Tmp#Size=" + QByteArray::number(good.size()),
                               "Id=Res#FileName=Res.Tmp#Size=" + QByteArray::number(good.size()),
                               zpj}),
                  "two entries");
    expectRefused("last entry not a project",
                  project + table({"Id=Movie#FileName=a.avi#Size=" + QByteArray::number(project.size())}),
                  "not a project file");
}

TEST_F(HostileCardTest, AGoodCardUnpacksIntoItsFolders)
{
    const QString card = build(makeProject("[FrmBlk]\nBlkCheckName=3\nBlkEdtPicName=\\Res\\f.png\n"
                                           "MusicCheckFlag=1\nMusicNumber=1\nMusicItem0=\\Music\\a b.wav\n",
                                           {{"Res/f.png", png(Qt::red)}, {"Music/a b.wav", wave(100)}}));
    const QString folder = sandbox.root() + "unpacked/";
    QDir().mkpath(folder);
    const ly::player::CardProject p = ly::player::UnpackCard(card, folder);
    EXPECT_FALSE(p.preview);
    EXPECT_EQ(p.projectFile, folder + "project/Rose.zpj");
    EXPECT_EQ(lytest::readFile(p.projectFolder + "Music/a b.wav"), wave(100));
    EXPECT_EQ(lytest::readFile(p.projectFolder + "Res/f.png"), png(Qt::red));
    EXPECT_EQ(ly::player::ElfImageSize(stub()), QFileInfo(stub()).size());
    EXPECT_THROW(ly::player::UnpackCard(stub(), folder), ly::player::NoCardError);
}

// On the desktop the music is unpacked after the rest, on another thread; the card takes
// the songs that are there when it starts. A music package that turns out damaged fails
// alone.
TEST_F(HostileCardTest, TheMusicCanBeUnpackedAfterTheRest)
{
    const QString card = build(makeProject("[FrmBlk]\nBlkCheckName=3\nBlkEdtPicName=\\Res\\f.png\n"
                                           "MusicCheckFlag=1\nMusicNumber=1\nMusicItem0=\\Music\\a b.wav\n",
                                           {{"Res/f.png", png(Qt::red)}, {"Music/a b.wav", wave(100)}}));
    const QString folder = sandbox.root() + "unpacked/";
    QDir().mkpath(folder);
    std::function<void()> unpackMusic;
    const ly::player::CardProject p = ly::player::UnpackCard(card, folder, &unpackMusic);
    EXPECT_EQ(lytest::readFile(p.projectFolder + "Res/f.png"), png(Qt::red));
    EXPECT_FALSE(QFileInfo::exists(p.projectFolder + "Music/a b.wav"));
    ASSERT_TRUE(unpackMusic);

    ly::player::VirtualSoundOutput sound([](const QString &) { return qint64(1000); });
    ly::player::CardPlayer player(p, sound, 1);
    EXPECT_TRUE(player.musicFiles().isEmpty());
    std::thread(unpackMusic).join();
    EXPECT_EQ(lytest::readFile(p.projectFolder + "Music/a b.wav"), wave(100));
    player.start();
    EXPECT_EQ(player.musicFiles(), QStringList{p.projectFolder + "Music/a b.wav"});
    EXPECT_EQ(player.song(), 0);

    // The music member's stream damaged: the rest unpacks, the music alone fails.
    QByteArray bytes = lytest::readFile(card);
    for (const ly::card::Entry &e : ly::card::readEntries(card))
        if (e.id == "Music")
            bytes[qsizetype(e.offset + 30)] = char(bytes[qsizetype(e.offset + 30)] ^ 0x5a);
    const QString damaged = sandbox.writeFile("damaged.exe", bytes);
    const QString second = sandbox.root() + "second/";
    QDir().mkpath(second);
    const ly::player::CardProject q = ly::player::UnpackCard(damaged, second, &unpackMusic);
    EXPECT_TRUE(QFileInfo::exists(q.projectFolder + "Res/f.png"));
    EXPECT_THROW(unpackMusic(), ly::player::DamagedCardError);
    EXPECT_FALSE(QFileInfo::exists(q.projectFolder + "Music/a b.wav"));

    // Without music there is nothing left for later.
    const QString plain = build(makeProject("[FrmBlk]\nBlkCheckName=2\n", {}, "Plain"));
    const QString third = sandbox.root() + "third/";
    QDir().mkpath(third);
    unpackMusic = nullptr;
    ly::player::UnpackCard(plain, third, &unpackMusic);
    EXPECT_FALSE(unpackMusic);
}

} // namespace
