#include "PlayerFixture.h"

#include "card/PackageFixtures.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QThread>

#include <unistd.h>

namespace {

using playertest::PlayerTest;
using playertest::RunResult;

// Waits (bounded) for a detached fake to have written its arguments.
QByteArray waitForArgs(const PlayerTest &, const std::function<QByteArray()> &read)
{
    QElapsedTimer timer;
    timer.start();
    QByteArray args = read();
    while (args.isEmpty() && timer.elapsed() < 10000) {
        QThread::msleep(50);
        args = read();
    }
    return args;
}

bool near(QRgb a, QColor b, int tolerance = 40)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
           && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

int countColour(const QImage &image, QRect area, QColor colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += near(image.pixel(x, y), colour, 30) ? 1 : 0;
    return n;
}

const QByteArray kGradientCard = R"([Application]
FrmBlk=1
FrmPicture=0
[System]
ArrowPanelFlag=0
[FrmBlk]
BlkShadeIndex=0
ColorFrom=clRed
ColorTo=clBlue
BlkCheckName=2
MusicCheckFlag=1
MusicNumber=1
MusicItem0=\Music\bell.wav
RecordCheckFlag=0
TextCheckFlag=1
LblCaptionFlag=0
LblTopFlag=1
LblBtmFlag=0
LblCaptionIndex=1
TextLblTop=HELLO HELLO
TextLblTopFont=Color=clYellow#Size=28#Name=DejaVu;Sans#Style=fsBold|
TextLblTopColor=Color=clBlack#Size=28#Name=DejaVu;Sans#Style=fsBold|
TextLblTopFontFlag=1
)";

TEST_F(PlayerTest, GradientCardShowsItsColoursAndCaptionAndEndsWithItsFolderGone)
{
    const QString card = build(makeProject(kGradientCard, {{"Music/bell.wav", wave(1500)}}));
    const QImage shot = snapshot(card, 1);
    ASSERT_FALSE(shot.isNull());
    // rgsHorizontal: the start colour on the left edge, the end colour on the right.
    const int y = shot.height() / 2;
    EXPECT_TRUE(near(shot.pixel(2, y), Qt::red)) << std::hex << shot.pixel(2, y);
    EXPECT_TRUE(near(shot.pixel(shot.width() - 3, y), Qt::blue)) << std::hex << shot.pixel(shot.width() - 3, y);
    // The top caption in its yellow text colour at (5, 5), its black shadow beside it.
    EXPECT_GT(countColour(shot, QRect(0, 0, 300, 60), Qt::yellow), 50);
    EXPECT_GT(countColour(shot, QRect(0, 0, 300, 60), Qt::black), 20);
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(" ").toStdString();

    const RunResult r = run(card, {"--run-to-end"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(" ").toStdString();
    EXPECT_TRUE(fakeArgs("xdg-open").isEmpty());
    EXPECT_TRUE(fakeArgs("xdg-email").isEmpty());
}

TEST_F(PlayerTest, FillPictureCoversTheBackground)
{
    const QString card = build(makeProject("[FrmBlk]\nBlkCheckName=3\nBlkEdtPicName=\\Res\\fill.png\n"
                                           "MusicCheckFlag=0\nRecordCheckFlag=0\nTextCheckFlag=0\n",
                                           {{"Res/fill.png", png(QColor(0, 160, 0))}}));
    const QImage shot = snapshot(card, 0.5);
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(near(shot.pixel(shot.width() / 3, shot.height() / 3), QColor(0, 160, 0)));
}

TEST_F(PlayerTest, AlbumShowsEachPictureWithItsTransitionAndSkipsUnreadableOnes)
{
    const QString card = build(makeProject(R"([Application]
FrmBlk=1
FrmPicture=1
[System]
ArrowPanelFlag=0
[FrmBlk]
BlkCheckName=0
MusicCheckFlag=0
[FrmPicture]
ClientWidth=200
ClientHeight=100
FillBoxPicFlag=0
FillBlkPicFlag=0
DoPicRadio=3
PicShowSecond=2
CheckScreen=0
PicShowNum=3
Item0=\Picture\red.png
StyleIndex0=150
Item1=\Picture\bad.jpg
StyleIndex1=150
Item2=\Picture\green.png
StyleIndex2=150
)",
        {{"Picture/red.png", png(Qt::red, QSize(200, 100))},
         {"Picture/bad.jpg", "not a picture"},
         {"Picture/green.png", png(Qt::green, QSize(200, 100))}}));
    // Each picture: a transition of 1 s, then 2 s; style 1 ("Expand from right") for index 150.
    const QImage first = snapshot(card, 1.5);
    ASSERT_FALSE(first.isNull());
    const QRect album((first.width() - 200) / 2, (first.height() - 100) / 2, 200, 100);
    EXPECT_TRUE(near(first.pixel(album.center()), Qt::red));
    EXPECT_EQ(countColour(first, album.adjusted(-20, -20, 20, 20), Qt::red), 200 * 100);

    const QImage middle = snapshot(card, 3.5); // the green picture half way in, from the right
    EXPECT_TRUE(near(middle.pixel(album.left() + 10, album.center().y()), Qt::red));
    EXPECT_TRUE(near(middle.pixel(album.right() - 10, album.center().y()), Qt::green));

    EXPECT_TRUE(near(snapshot(card, 4.5).pixel(album.center()), Qt::green));
    // The unreadable picture is left out: after the green one the red one comes again.
    EXPECT_TRUE(near(snapshot(card, 7.5).pixel(album.center()), Qt::red));
}

TEST_F(PlayerTest, EndActionsGoToTheDesktopWithExactlyTheStoredPageAndAddress)
{
    const QString card = build(makeProject(R"([System]
ShowMsgFlag=1
ShowMsg=See you <b>soon</b>
OpenHttpFlag=1
OpenHttp=https://example.org/card?a=1&b=2
SendMailFlag=1
SendMail=friend.name@example.org
ArrowPanelFlag=1
[FrmBlk]
BlkCheckName=2
)"));
    const RunResult r = run(card, {"--run-to-end"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("See you <b>soon</b>\n"));
    EXPECT_EQ(waitForArgs(*this, [&] { return fakeArgs("xdg-open"); }),
              QByteArray("https://example.org/card?a=1&b=2\n"));
    EXPECT_EQ(waitForArgs(*this, [&] { return fakeArgs("xdg-email"); }),
              QByteArray("friend.name@example.org\n"));
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(PlayerTest, EndActionsNeedTheirFlagsAndRealAddresses)
{
    const QString card = build(makeProject(R"([System]
ShowMsgFlag=0
ShowMsg=Hidden
OpenHttpFlag=1
OpenHttp=http://
SendMailFlag=1
SendMail=friend@example.org?cc=other@example.org
[FrmBlk]
BlkCheckName=2
)"));
    const RunResult r = run(card, {"--run-to-end"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    QThread::msleep(300);
    EXPECT_TRUE(fakeArgs("xdg-open").isEmpty());
    EXPECT_TRUE(fakeArgs("xdg-email").isEmpty());
}

TEST_F(PlayerTest, AutoRunWritesAnAutostartEntryThatTheCardRemovesAgain)
{
    const QString card = build(makeProject("[System]\nAutoRun=1\n[FrmBlk]\nBlkCheckName=2\n"));
    ASSERT_EQ(run(card, {"--run-to-end"}).exitCode, 0);
    const QStringList entries = QDir(config() + "autostart").entryList({"lyrabell-card-*.desktop"});
    ASSERT_EQ(entries.size(), 1);
    const QByteArray entry = lytest::readFile(config() + "autostart/" + entries.first());
    EXPECT_TRUE(entry.contains(QByteArray(QByteArray("Exec=\"") + QFile::encodeName(card) + "\"\n")))
        << entry.toStdString();
    EXPECT_EQ(run(card, {"--no-autostart"}).exitCode, 0);
    EXPECT_TRUE(QDir(config() + "autostart").entryList({"*.desktop"}).isEmpty());
}

TEST_F(PlayerTest, PreviewPlaysTheProjectNamedBesideItInAnyCase)
{
    const QString project = makeProject(kGradientCard, {{"Music/bell.wav", wave(500)}});
    const QString folder = QFileInfo(project).absolutePath() + "/";
    const QString preview = folder + "PREVIEW.EXE";
    ASSERT_TRUE(QFile::copy(stub(), preview));
    QFile::setPermissions(preview, QFile::permissions(stub()));

    const RunResult missing = run(preview, {"--run-to-end"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("Preview.qrj")) << missing.err.toStdString();

    sandbox.writeFile("Rose/Preview.qrj", "Rose.zpj\r\n");
    const QImage shot = snapshot(preview, 0.2);
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(near(shot.pixel(2, shot.height() / 2), Qt::red));
    EXPECT_EQ(run(preview, {"--run-to-end"}).exitCode, 0);
    // A preview never registers itself for log-in.
    sandbox.writeFile("Rose/Rose.zpj", QByteArray(kGradientCard).replace("[System]", "[System]\r\nAutoRun=1"));
    EXPECT_EQ(run(preview, {"--run-to-end"}).exitCode, 0);
    EXPECT_FALSE(QDir(config() + "autostart").exists());
    sandbox.writeFile("Rose/Preview.qrj", "../Rose.zpj\r\n");
    EXPECT_EQ(run(preview, {"--run-to-end"}).exitCode, 1);
}

TEST_F(PlayerTest, ExampleProjectBuildsAndPlaysToItsEnd)
{
    const QString folder = sandbox.root() + "Birthday/";
    QDir().mkpath(folder + "Music");
    for (const QString &name : {QString("Birthday.zpj"), QString("Music/Morning_Bells.wav")})
        ASSERT_TRUE(QFile::copy(lytest::contentDir() + "/Project/Birthday/" + name, folder + name));
    const QString card = build(folder + "Birthday.zpj");
    const RunResult r = run(card, {"--run-to-end"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(leftovers().isEmpty());
    const QImage shot = snapshot(card, 3);
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(near(shot.pixel(shot.width() / 2, 1), Qt::white));
    EXPECT_TRUE(near(shot.pixel(shot.width() / 2, shot.height() - 2), QColor(0, 0, 128)));
}

TEST_F(PlayerTest, ACrashedRunsFolderIsRemovedAtTheNextStart)
{
    const QString base = tmp() + "lyrabell-cards-" + QString::number(::getuid()) + "/";
    QDir().mkpath(base + "run-crashed/project");
    QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The lock of a process that is gone.
    sandbox.writeFile("tmp/lyrabell-cards-" + QString::number(::getuid()) + "/run-crashed/.lock",
                      "2147480000\nCardstub.dll\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    sandbox.writeFile("tmp/lyrabell-cards-" + QString::number(::getuid()) + "/run-crashed/project/x", "x");
    const QString card = build(makeProject("[FrmBlk]\nBlkCheckName=2\n"));
    ASSERT_EQ(run(card, {"--run-to-end"}).exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(base + "run-crashed"));
}

} // namespace
