#include "card/Packer.h"
#include "editor/BackgroundMedia.h"
#include "shared/Ini.h"
#include "shared/Settings.h"
#include "support/Sandbox.h"

#include <QDir>
#include <QFileInfo>

namespace {

class BackgroundMediaTest : public lytest::SandboxTest
{
protected:
    QString folder() const { return sandbox.root() + "Rose/"; }
    QString projectFile()
    {
        if (!QFileInfo::exists(folder() + "Rose.zpj"))
            sandbox.writeFile("Rose/Rose.zpj", "[Application]\r\nFrmBlk=1\r\n");
        return folder() + "Rose.zpj";
    }
    QString key(const char *name) { return ly::ini::read(projectFile(), "FrmBlk", name); }
};

TEST_F(BackgroundMediaTest, SaveCopiesTheMediaWithoutReplacingAndWritesTheirNames)
{
    const QString song = sandbox.writeFile("Mine/song.mp3", "new song");
    const QString clash = sandbox.writeFile("Mine/tune.mid", "other tune");
    sandbox.writeFile("Rose/Music/tune.mid", "tune already there");
    sandbox.writeFile("Rose/Music/inside.wav", "inside");
    const QString picture = sandbox.writeFile("Mine/fill.jpg", "picture");
    const QString voice = sandbox.writeFile("Temp/Temp.wav", "voice");

    ly::BackgroundSave save;
    save.section.kind = ly::FrmBlkSection::Kind::Picture;
    save.section.music = true;
    save.section.record = true;
    save.section.recordIndex = 1;
    save.fillPicture = "  " + picture + " ";
    save.music = {{"song.mp3", sandbox.root() + "Mine"},
                  {"tune.mid", sandbox.root() + "Mine/"},
                  {"inside.wav", folder() + "Music/"}};
    save.recordFile = voice;
    ly::SaveBackground(save, folder(), projectFile());

    EXPECT_EQ(lytest::readFile(folder() + "Music/song.mp3"), QByteArray("new song"));
    EXPECT_EQ(lytest::readFile(folder() + "Music/tune.mid"), QByteArray("tune already there"));
    EXPECT_EQ(lytest::readFile(folder() + "Music/inside.wav"), QByteArray("inside"));
    EXPECT_EQ(lytest::readFile(folder() + "Music/Temp.wav"), QByteArray("voice"));
    EXPECT_EQ(lytest::readFile(folder() + "Res/fill.jpg"), QByteArray("picture"));
    EXPECT_EQ(key("BlkEdtPicName"), QStringLiteral("\\Res\\fill.jpg"));
    EXPECT_EQ(key("BlkCheckName"), QStringLiteral("3"));
    EXPECT_EQ(key("MusicNumber"), QStringLiteral("3"));
    EXPECT_EQ(key("MusicItem2"), QStringLiteral("\\Music\\inside.wav"));
    EXPECT_EQ(key("RecordEdtName"), QStringLiteral("\\Music\\Temp.wav"));
    EXPECT_EQ(key("RecordIndex"), QStringLiteral("1"));
    EXPECT_TRUE(lytest::readFile(clash) == "other tune");
    (void)song;
}

TEST_F(BackgroundMediaTest, SaveWithoutMediaCreatesNoFoldersAndKeepsAGoneRecording)
{
    ly::WriteIni("FrmBlk", "RecordEdtName", "\\Music\\old.wav", projectFile());
    ly::WriteIni("FrmBlk", "RecordIndex", "1", projectFile());
    ly::BackgroundSave save;
    save.section.kind = ly::FrmBlkSection::Kind::Gradient;
    save.section.music = true;
    save.section.record = true;
    save.recordFile = sandbox.root() + "gone.wav";
    ly::SaveBackground(save, folder(), projectFile());

    EXPECT_FALSE(QFileInfo::exists(folder() + "Music"));
    EXPECT_FALSE(QFileInfo::exists(folder() + "Res"));
    EXPECT_EQ(key("MusicNumber"), QStringLiteral("0"));
    EXPECT_EQ(key("RecordCheckFlag"), QStringLiteral("1"));
    EXPECT_EQ(key("RecordEdtName"), QStringLiteral("\\Music\\old.wav"));
    EXPECT_EQ(key("RecordIndex"), QStringLiteral("1"));
    EXPECT_EQ(key("ColorFrom"), QStringLiteral("clWhite"));
    EXPECT_EQ(key("ColorTo"), QStringLiteral("clNavy"));
}

TEST_F(BackgroundMediaTest, TheAnimationPackageLandsInBlkTmpAsShipped)
{
    sandbox.writeFile("Pages/Drizzle/index.htm", "<html>rain</html>");
    ly::PackFolder(sandbox.root() + "Pages/Drizzle", 1);
    QDir().mkpath(sandbox.programDir() + "Blk");
    ASSERT_TRUE(QFile::copy(sandbox.root() + "Pages/Drizzle.tmp",
                            sandbox.programDir() + "Blk/Drizzle.tmp"));
    EXPECT_EQ(ly::BlkPackageName(11), QStringLiteral("Drizzle.tmp"));

    ly::BackgroundSave save;
    save.section.kind = ly::FrmBlkSection::Kind::Animation;
    save.section.blkIndex = 11;
    ly::SaveBackground(save, folder(), projectFile());
    EXPECT_EQ(lytest::readFile(folder() + "BlkTmp/Drizzle.tmp"),
              lytest::readFile(sandbox.programDir() + "Blk/Drizzle.tmp"));
    EXPECT_EQ(key("BlkIndex"), QStringLiteral("11"));
    EXPECT_EQ(key("BlkTmpName"), QStringLiteral("Drizzle.tmp"));

    // A configured name that would leave the Blk folder names no package.
    ly::WriteConfig("BlkCartoon", "Cartoon3", "../../secret");
    EXPECT_TRUE(ly::BlkPackageName(3).isEmpty());
    EXPECT_TRUE(ly::BlkPackageFile(3).isEmpty());
}

// A project file from a stranger: every stored path that is not "\Music\" or "\Res\" + a bare
// name is dropped on reading, so a save after loading copies nothing from outside.
TEST_F(BackgroundMediaTest, HostileStoredPathsCopyNothingFromOutsideTheProject)
{
    const QString secret = sandbox.writeFile("home/user/.ssh/id_rsa", "secret key");
    const QByteArray ini = "[FrmBlk]\r\nBlkCheckName=3\r\n"
                           "BlkEdtPicName=\\..\\home\\user\\.ssh\\id_rsa\r\n"
                           "MusicCheckFlag=1\r\nMusicNumber=2147483647\r\n"
                           "MusicItem0=\\..\\home\\user\\.ssh\\id_rsa\r\n"
                           "MusicItem1=\\Music\\..\\..\\home\\user\\.ssh\\id_rsa\r\n"
                           "MusicItem2=\\Music\\ok.mp3\r\n"
                           "RecordCheckFlag=1\r\nRecordEdtName=/" + secret.toUtf8() + "\r\n";
    sandbox.writeFile("Rose/Rose.zpj", ini);
    const ly::FrmBlkSection s = ly::ReadFrmBlkSection(projectFile());
    const ly::BackgroundPaths paths = ly::PathsOfBackground(s, folder());
    EXPECT_TRUE(paths.fillPicture.isEmpty());
    EXPECT_TRUE(paths.recordFile.isEmpty());
    ASSERT_EQ(paths.music.size(), 1);
    EXPECT_EQ(paths.music[0].path(), folder() + "Music/ok.mp3");

    ly::BackgroundSave save;
    save.section = s;
    save.fillPicture = paths.fillPicture;
    save.music = paths.music;
    save.recordFile = paths.recordFile;
    ly::SaveBackground(save, folder(), projectFile());
    EXPECT_FALSE(QFileInfo::exists(folder() + "Res"));
    EXPECT_FALSE(QFileInfo::exists(folder() + "Music"));
    EXPECT_EQ(key("MusicNumber"), QStringLiteral("1"));
    EXPECT_EQ(key("BlkEdtPicName"), QStringLiteral("\\Res\\"));
}

TEST_F(BackgroundMediaTest, IconsAndSizeTextsOfTheMusicRows)
{
    const struct { const char *name; int icon; } cases[] = {
        {"a.mid", 0}, {"b.WAV", 1}, {"c.mp3", 2}, {"d.WMA", 3}, {"e.ogg", -1}, {"mp3", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ly::MusicIconIndex(c.name), c.icon) << c.name;
    const QString song = sandbox.writeFile("s.mp3", QByteArray(3000, 'x'));
    EXPECT_EQ(ly::SizeTextOrEmpty(song), QStringLiteral("2KB"));
    EXPECT_EQ(ly::SizeTextOrEmpty(sandbox.root() + "missing.mp3"), QString());
    EXPECT_EQ(ly::SizeTextOrEmpty(sandbox.root()), QString());
}

} // namespace
