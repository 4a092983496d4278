#include "card/PackageFixtures.h"
#include "player/CardPlayer.h"
#include "player/CardSource.h"
#include "player/Sound.h"
#include "player/widgets/AnimationPage.h"
#include "player/widgets/BackgroundWindow.h"
#include "player/widgets/ControlPanel.h"
#include "player/widgets/PlayerApp.h"
#include "player/widgets/WebAnimationPage.h"
#include "player/CardWebEngine.h"
#include "platform/WebView.h"
#include "support/FakeWebView.h"
#include "support/Sandbox.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

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

// Counts the left-button presses that reach a widget, and where.
class PressCounter : public QObject
{
public:
    QList<QPoint> presses;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            presses.append(static_cast<QMouseEvent *>(event)->position().toPoint());
        return false;
    }
};

TEST_F(CardStageTest, AnimationPageShowsTheUnpackedPageInTheWebViewAndTakesItsClicks)
{
    lytest::FakeWebEngine engine;
    sandbox.writeFile("Rose/BlkTmp/Fire.tmp", packagetest::packageOf({{"index.htm", "<html>fire</html>"}}));
    const ly::player::CardProject p = project(
        "[FrmBlk]\nBlkCheckName=1\nBlkIndex=1\nBlkTmpName=Fire.tmp\nTextCheckFlag=1\n"
        "LblTopFlag=1\nTextLblTop=Hi\n");
    const QString page = sandbox.root() + "http/";
    ly::player::UnpackBackgroundPage(p.projectFolder + "BlkTmp/Fire.tmp", page);

    ly::player::CardStage stage(p, sound, 1, page, true);
    auto *web = dynamic_cast<ly::player::WebAnimationPage *>(stage.animationPage());
    ASSERT_NE(web, nullptr);
    // The view starts with the window, not before.
    EXPECT_TRUE(lytest::FakeWebView::views().isEmpty());
    stage.show();
    ASSERT_EQ(lytest::FakeWebView::views().size(), 1);
    lytest::FakeWebView *view = lytest::FakeWebView::views().first();
    EXPECT_EQ(view->pages, QStringList{page + "index.htm"});
    EXPECT_EQ(web->view(), view);

    // The view fills the background window; a click there, on a caption too, reaches the page.
    ly::player::BackgroundWindow *window = stage.backgroundWindow();
    EXPECT_EQ(view->geometry(), window->rect());
    PressCounter counter;
    view->installEventFilter(&counter);
    for (const QPoint at : {QPoint(200, 150), QPoint(8, 8)}) {
        EXPECT_EQ(window->childAt(at), view) << at.x() << "," << at.y();
        QWidget *target = window->childAt(at);
        if (target)
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, at));
    }
    EXPECT_EQ(counter.presses, (QList<QPoint>{QPoint(200, 150), QPoint(8, 8)}));
    EXPECT_FALSE(web->waitForPicture(0)) << "the fake shows no picture";
}

TEST_F(CardStageTest, WithoutAWorkingEngineTheAnimationStaysAStillBlackSurface)
{
    sandbox.writeFile("Rose/BlkTmp/Fire.tmp", packagetest::packageOf({{"index.htm", "<html>fire</html>"}}));
    const ly::player::CardProject p = project("[FrmBlk]\nBlkCheckName=1\nBlkIndex=1\nBlkTmpName=Fire.tmp\n");
    const QString page = sandbox.root() + "http/";
    ly::player::UnpackBackgroundPage(p.projectFolder + "BlkTmp/Fire.tmp", page);
    const QString folder = sandbox.root() + "run/";
    QDir().mkpath(folder);

    // A build without the engine carries no module: nothing is written, no engine named.
    QString why;
    EXPECT_FALSE(ly::player::UseCardWebEngine({}, folder, &why));
    EXPECT_EQ(why, ly::platform::kNoWebEngineText);
    EXPECT_FALSE(ly::platform::WebViewAvailable());
    {
        ly::player::CardStage stage(p, sound, 1, page, true);
        EXPECT_EQ(dynamic_cast<ly::player::WebAnimationPage *>(stage.animationPage()), nullptr);
        EXPECT_EQ(static_cast<ly::player::StillAnimationPage *>(stage.animationPage())->page(),
                  page + "index.htm");
    }

    // A module that does not load (as where the engine's libraries are missing): the page
    // says why and stays black, the card plays on.
    ASSERT_TRUE(ly::player::UseCardWebEngine(QByteArrayView("not a module"), folder, &why));
    const QString module = folder + ly::player::kCardWebEngineFile;
    EXPECT_EQ(lytest::readFile(module), QByteArray("not a module"));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                      | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(module) & others, QFile::Permissions());
    {
        ly::player::CardStage stage(p, sound, 1, page, true);
        auto *web = dynamic_cast<ly::player::WebAnimationPage *>(stage.animationPage());
        ASSERT_NE(web, nullptr);
        stage.show();
        EXPECT_EQ(web->view(), nullptr);
        EXPECT_EQ(stage.grabScreen().pixel(200, 150), qRgb(0, 0, 0));
    }
    ly::platform::SetWebViewFactory({});

    // A file already there is never written into.
    EXPECT_FALSE(ly::player::UseCardWebEngine(QByteArrayView("other"), folder, &why));
    EXPECT_EQ(lytest::readFile(module), QByteArray("not a module"));
    EXPECT_FALSE(ly::platform::WebViewAvailable());
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
