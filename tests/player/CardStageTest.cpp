#include "card/PackageFixtures.h"
#include "player/CardPlayer.h"
#include "player/CardSource.h"
#include "player/Sound.h"
#include "player/widgets/AnimationPage.h"
#include "player/widgets/BackgroundWindow.h"
#include "player/widgets/ControlPanel.h"
#include "player/widgets/PlayerApp.h"
#include "support/Sandbox.h"

#include <QFileInfo>
#include <QPushButton>

namespace {

class CardStageTest : public lytest::SandboxTest
{
protected:
    ly::player::CardProject project(const QByteArray &ini)
    {
        QByteArray text = ini;
        text.replace("\n", "\r\n");
        const QString file = sandbox.writeFile("Rose/Rose.zpj", text);
        return {file, QFileInfo(file).absolutePath() + "/", false};
    }
    ly::player::VirtualSoundOutput sound{[](const QString &) { return qint64(1000); }};
};

TEST_F(CardStageTest, AnimationPageOpensTheUnpackedStartPageUnderItsCaptions)
{
    sandbox.writeFile("Rose/BlkTmp/Angel.tmp",
                      packagetest::packageOf({{"index.htm", "<html>angel</html>"}, {"a.png", "x"}}));
    const ly::player::CardProject p = project(
        "[FrmBlk]\nBlkCheckName=1\nBlkIndex=1\nBlkTmpName=Angel.tmp\nTextCheckFlag=1\n"
        "LblTopFlag=1\nTextLblTop=Hi\n[System]\nArrowPanelFlag=1\n");
    const QString page = sandbox.root() + "http/";
    ly::player::UnpackBackgroundPage(p.projectFolder + "BlkTmp/Angel.tmp", page);
    EXPECT_EQ(lytest::readFile(page + "index.htm"), QByteArray("<html>angel</html>"));

    ly::player::CardStage stage(p, sound, 1, page, true);
    auto *still = dynamic_cast<ly::player::StillAnimationPage *>(stage.animationPage());
    ASSERT_NE(still, nullptr);
    EXPECT_EQ(still->page(), page + "index.htm");
    stage.show();
    const QImage screen = stage.grabScreen();
    // The top caption sits on its black panel at (5, 5); its text is white by default.
    bool white = false;
    for (int y = 5; y < 25 && !white; ++y)
        for (int x = 5; x < 30 && !white; ++x)
            white = qGray(screen.pixel(x, y)) > 200;
    EXPECT_TRUE(white);
}

TEST_F(CardStageTest, ControlPanelButtonsAreNamedAndDriveTheCard)
{
    const ly::player::CardProject p = project(R"([Application]
FrmPicture=0
[System]
ArrowPanelFlag=1
[FrmBlk]
BlkCheckName=2
MusicCheckFlag=1
MusicNumber=2
MusicItem0=\Music\a.mp3
MusicItem1=\Music\b.mp3
)");
    sandbox.writeFile("Rose/Music/a.mp3", "a");
    sandbox.writeFile("Rose/Music/b.mp3", "b");
    ly::player::CardStage stage(p, sound, 1, QString(), true);
    stage.player().start();
    ly::player::ControlPanel *panel = stage.controlPanel();
    ASSERT_NE(panel, nullptr);
    QStringList names;
    for (QPushButton *b : {panel->BtnPrevious, panel->BtnPause, panel->BtnNext, panel->BtnClose})
        names.append(b->accessibleName());
    EXPECT_EQ(names, (QStringList{"Previous", "Pause", "Next", "Close"}));
    panel->BtnNext->click();
    EXPECT_EQ(stage.player().song(), 1);
    panel->BtnPrevious->click();
    EXPECT_EQ(stage.player().song(), 0);
    panel->BtnPause->click();
    EXPECT_TRUE(stage.player().paused());
    EXPECT_EQ(panel->BtnPause->accessibleName(), QStringLiteral("Play"));
    panel->BtnPause->click();
    EXPECT_FALSE(stage.player().paused());

    // Without the flag there is no panel, unless the card has no other window.
    ly::player::CardStage plain(project("[System]\nArrowPanelFlag=0\n[FrmBlk]\nBlkCheckName=2\n"),
                                sound, 1, QString(), true);
    EXPECT_EQ(plain.controlPanel(), nullptr);
    ly::player::CardStage bare(project("[System]\nArrowPanelFlag=0\n[FrmBlk]\nBlkCheckName=0\n"),
                               sound, 1, QString(), true);
    EXPECT_NE(bare.controlPanel(), nullptr);
    EXPECT_EQ(bare.backgroundWindow(), nullptr);
}

} // namespace
