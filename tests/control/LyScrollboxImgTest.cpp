#include "Pictures.h"
#include "support/Sandbox.h"

#include "control/widgets/LyImagePanel.h"
#include "control/widgets/LyScrollboxImg.h"
#include "control/widgets/NewImage.h"
#include "control/widgets/NewPanel.h"
#include "shared/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {

using Progress = std::pair<int, int>;

// Counts the progress messages that reach the browser.
class MessageCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == ly::WM_THUMBPROGRESS)
            ++count;
        return false;
    }
};

class BrowserTest : public lytest::SandboxTest
{
protected:
    BrowserTest()
    {
        browser->resize(400, 300);
        browser->show();
        QObject::connect(browser.get(), &TlyScrollboxImg::OnlyProgress, browser.get(),
                         [this](int progress, int maxValue) {
                             progress_.push_back({progress, maxValue});
                             if (onProgress)
                                 onProgress(progress, maxValue);
                         });
    }

    // A folder of JPEG pictures p0.jpg ... of 200 x 150 pixels.
    QString MakeFolder(const QString &name, int count)
    {
        QDir(sandbox.root()).mkpath(name);
        for (int i = 0; i < count; ++i) {
            const QColor color = QColor::fromHsv(i * 40 % 360, 200, 220);
            lytest::SavePicture(sandbox.root() + name + "/p" + QString::number(i) + ".jpg",
                                lytest::TwoHalves({200, 150}, color, Qt::white), "JPG");
        }
        return sandbox.root() + name;
    }

    bool WaitUntilLoaded()
    {
        return QTest::qWaitFor(
            [&] {
                return browser->StopFlag() && !progress_.empty() &&
                       progress_.back().first == browser->PictureCount();
            },
            60000);
    }

    // Waits until every loader thread has ended, then takes the steps they left: nothing can
    // come after that.
    bool WaitUntilQuiet()
    {
        const bool quiet = QTest::qWaitFor([] { return TlyScrollboxImg::LoaderThreads() == 0; }, 60000);
        QCoreApplication::processEvents();
        return quiet;
    }

    bool WaitForProgress(Progress wanted)
    {
        return QTest::qWaitFor(
            [&] { return std::find(progress_.begin(), progress_.end(), wanted) != progress_.end(); },
            60000);
    }

    QList<TLyImagePanel *> Tiles() const
    {
        return browser->widget()->findChildren<TLyImagePanel *>(Qt::FindDirectChildrenOnly);
    }

    std::unique_ptr<TlyScrollboxImg> browser = std::make_unique<TlyScrollboxImg>();
    std::vector<Progress> progress_;
    std::function<void(int, int)> onProgress;
};

TEST_F(BrowserTest, SevenPicturesAtWidth400FillThreeColumns)
{
    MessageCounter messages;
    browser->installEventFilter(&messages);
    const QString folder = MakeFolder("seven", 7);
    browser->setLyImgPath(folder);
    EXPECT_EQ(browser->PictureCount(), 7);
    EXPECT_EQ(browser->ContentExtent(), 390);
    ASSERT_TRUE(WaitUntilLoaded());

    const std::vector<Progress> expected = {{1, 7}, {2, 7}, {3, 7}, {4, 7},
                                            {5, 7}, {6, 7}, {7, 7}};
    EXPECT_EQ(progress_, expected);
    EXPECT_EQ(messages.count, 7);
    EXPECT_EQ(browser->CreatedCount(), 7);
    EXPECT_EQ(Tiles().size(), 7);
    EXPECT_EQ(browser->ContentExtent(), 390);
    EXPECT_GE(browser->widget()->height(), 390);

    const QPoint tilePos[] = {{0, 0},   {125, 0},   {250, 0}, {0, 130},
                              {125, 130}, {250, 130}, {0, 260}};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        TLyImagePanel *tile = browser->Tile(i);
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(tile->objectName(), "lyMyImg_" + QString::number(i));
        EXPECT_EQ(tile->lyImageFile(), browser->Files()[i]); // list order
        EXPECT_TRUE(tile->lyImageFile().startsWith(folder + "/"));
        EXPECT_EQ(tile->geometry(), QRect(tilePos[i], QSize(100, 120)));
        EXPECT_EQ(browser->Shadow(i)->geometry(), QRect(tilePos[i] + QPoint(4, 4), QSize(100, 120)));
        EXPECT_EQ(browser->Shadow(i)->palette().color(QPalette::Window), QColor(180, 180, 182));
        EXPECT_TRUE(tile->isLoaded());
        EXPECT_EQ(tile->captionBar()->caption(), QFileInfo(browser->Files()[i]).fileName());
        EXPECT_EQ(tile->captionBar()->color(), QColor(0, 128, 0));
        // 200 x 150 fitted into the 90 x 90 frame: 88 x 66, one pixel in, centred.
        EXPECT_EQ(tile->picture()->geometry(), QRect(1, 12, 88, 66));
        EXPECT_EQ(tile->picture()->picture().size(), QSize(88, 66));
        EXPECT_EQ(tile->details().pixText, QStringLiteral("200 X 150"));
    }
}

TEST_F(BrowserTest, FolderWithoutPicturesCreatesNothing)
{
    sandbox.writeFile("none/readme.txt", "text");
    browser->setLyImgPath(sandbox.root() + "none");
    EXPECT_EQ(browser->PictureCount(), 0);
    EXPECT_EQ(browser->ContentExtent(), 0);
    ASSERT_TRUE(WaitUntilQuiet());
    EXPECT_TRUE(progress_.empty());
    EXPECT_TRUE(Tiles().isEmpty());
}

TEST_F(BrowserTest, SameFolderAgainAndPathsWithoutDriveChangeNothing)
{
    const QString folder = MakeFolder("two", 2);
    browser->setLyImgPath(folder);
    ASSERT_TRUE(WaitUntilLoaded());
    const QList<TLyImagePanel *> before = Tiles();
    progress_.clear();

    browser->setLyImgPath(folder);
    browser->setLyImgPath(QStringLiteral("relative/folder"));
    ASSERT_TRUE(WaitUntilQuiet());
    EXPECT_EQ(browser->lyImgPath(), QStringLiteral("relative/folder"));
    EXPECT_TRUE(progress_.empty());
    EXPECT_EQ(Tiles(), before);
    EXPECT_EQ(browser->PictureCount(), 2);
}

TEST_F(BrowserTest, StopDuringLoadingKeepsTheTilesMadeSoFar)
{
    const QString folder = MakeFolder("five", 5);
    onProgress = [&](int progress, int) {
        if (progress == 2)
            browser->StopLoading();
    };
    browser->setLyImgPath(folder);
    ASSERT_TRUE(WaitForProgress({0, 0}));
    ASSERT_TRUE(WaitUntilQuiet());

    const std::vector<Progress> expected = {{1, 5}, {2, 5}, {0, 0}};
    EXPECT_EQ(progress_, expected);
    EXPECT_EQ(browser->CreatedCount(), 1);
    ASSERT_EQ(Tiles().size(), 1);
    EXPECT_TRUE(browser->Tile(0)->isLoaded());
    // Stopped: no highlighting.
    browser->Select(0);
    EXPECT_EQ(browser->Shadow(0)->palette().color(QPalette::Window), QColor(180, 180, 182));
}

TEST_F(BrowserTest, ClicksSelectTilesAndReportTheirPicture)
{
    const QString folder = MakeFolder("click", 3);
    sandbox.writeFile("click/bad.jpg", "not a picture");
    browser->setLyImgPath(folder);
    ASSERT_TRUE(WaitUntilLoaded());
    QSignalSpy clicks(browser.get(), &TlyScrollboxImg::OnlyImgClick);
    QSignalSpy emptyClicks(browser.get(), &TlyScrollboxImg::OnClick);

    int bad = -1;
    for (int i = 0; i < 4; ++i)
        if (browser->Files()[i].endsWith("bad.jpg"))
            bad = i;
    ASSERT_NE(bad, -1);
    const int good = bad == 0 ? 1 : 0, other = bad == 2 ? 3 : 2;

    // The picture clicked with the left button.
    TLyImagePanel *tile = browser->Tile(good);
    QTest::mouseClick(tile->picture(), Qt::LeftButton);
    ASSERT_EQ(clicks.size(), 1);
    const QList<QVariant> args = clicks.takeFirst();
    const ly::ThumbDetails &d = tile->details();
    EXPECT_EQ(args[0].toString(), browser->Files()[good]);
    EXPECT_EQ(args[1].toString(), d.fileName);
    EXPECT_EQ(args[2].toString(), d.sizeText);
    EXPECT_EQ(args[3].toString(), QStringLiteral("200 X 150"));
    EXPECT_EQ(args[4].toString(), QStringLiteral("jpg Image  "));
    EXPECT_EQ(args[5].toString(), d.dateText);
    EXPECT_EQ(browser->ClickedPath(), browser->Files()[good]);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(browser->Shadow(i)->palette().color(QPalette::Window),
                  i == good ? QColor(0, 0, 0) : QColor(180, 180, 182))
            << i;

    // A right-button press on the caption bar of another tile.
    QTest::mouseClick(browser->Tile(other)->captionBar(), Qt::RightButton);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.takeFirst()[0].toString(), browser->Files()[other]);
    EXPECT_EQ(browser->Shadow(other)->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_EQ(browser->Shadow(good)->palette().color(QPalette::Window), QColor(180, 180, 182));

    // A picture that could not be read keeps only its caption and takes no clicks.
    TLyImagePanel *badTile = browser->Tile(bad);
    EXPECT_FALSE(badTile->isLoaded());
    EXPECT_EQ(badTile->captionBar()->caption(), QStringLiteral("bad.jpg"));
    EXPECT_EQ(badTile->captionBar()->color(), QColor(192, 220, 192));
    QTest::mouseClick(badTile->body(), Qt::LeftButton);
    QTest::mouseClick(badTile->pictureFrame(), Qt::RightButton);
    EXPECT_EQ(clicks.size(), 0);

    browser->Select(-1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(browser->Shadow(i)->palette().color(QPalette::Window), QColor(180, 180, 182));

    // The empty area below the tiles: the browser's own click.
    QTest::mouseClick(browser->widget(), Qt::LeftButton, {}, QPoint(200, 250));
    QTest::mouseClick(browser->widget(), Qt::RightButton, {}, QPoint(200, 250));
    EXPECT_EQ(emptyClicks.size(), 2);
    EXPECT_EQ(clicks.size(), 0);
}

TEST_F(BrowserTest, WheelResizeAndOneRowMode)
{
    browser->setLyImgPath(MakeFolder("wheel", 7));
    ASSERT_TRUE(WaitUntilLoaded());

    // Rows: the limit is the extent, 390.
    for (int expected : {80, 160, 240, 320, 400, 400}) {
        browser->WheelDown();
        EXPECT_EQ(browser->WheelPosition(), expected);
    }
    EXPECT_EQ(browser->verticalScrollBar()->value(), browser->verticalScrollBar()->maximum());
    QWheelEvent up(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(browser->viewport(), &up);
    EXPECT_EQ(browser->WheelPosition(), 320);
    EXPECT_EQ(browser->verticalScrollBar()->value(),
              std::min(320, browser->verticalScrollBar()->maximum()));

    // Narrower: two columns, extent 4 rows, scrolled back to the top.
    browser->resize(260, 300);
    EXPECT_EQ(browser->WheelPosition(), 0);
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
    EXPECT_EQ(browser->ContentExtent(), 520);
    EXPECT_EQ(browser->Tile(2)->pos(), QPoint(0, 130));
    EXPECT_EQ(browser->Tile(6)->pos(), QPoint(0, 390));

    // Narrower than one column: still one column.
    browser->resize(100, 300);
    EXPECT_EQ(browser->ContentExtent(), 910);
    EXPECT_EQ(browser->Tile(1)->pos(), QPoint(0, 130));

    // One row: every tile side by side; the wheel limit is 7 x 125 = 875.
    browser->resize(400, 300);
    browser->setLyHorzFlag(true);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(browser->Tile(i)->pos(), QPoint(125 * i, 0)) << i;
    for (int i = 0; i < 20; ++i)
        browser->WheelDown();
    EXPECT_EQ(browser->WheelPosition(), 880);
    EXPECT_GT(browser->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);

    browser->setLyHorzFlag(false);
    EXPECT_EQ(browser->WheelPosition(), 0);
    EXPECT_EQ(browser->Tile(3)->pos(), QPoint(0, 130));
}

TEST_F(BrowserTest, NewFolderWhileLoadingShowsOnlyTheNewOne)
{
    const QString first = MakeFolder("first", 6);
    const QString second = MakeFolder("second", 2);
    onProgress = [&](int progress, int maxValue) {
        if (progress == 2 && maxValue == 6) {
            browser->StopLoading();
            browser->setLyImgPath(second);
        }
    };
    browser->setLyImgPath(first);
    ASSERT_TRUE(WaitForProgress({2, 2}));
    ASSERT_TRUE(WaitUntilLoaded());
    ASSERT_TRUE(WaitUntilQuiet());

    EXPECT_EQ(browser->PictureCount(), 2);
    ASSERT_EQ(Tiles().size(), 2);
    for (TLyImagePanel *tile : Tiles())
        EXPECT_TRUE(tile->lyImageFile().startsWith(second + "/"));
    const std::vector<Progress> expected = {{1, 6}, {2, 6}, {1, 2}, {2, 2}};
    EXPECT_EQ(progress_, expected);
}

TEST_F(BrowserTest, ClickHandlerMayShowAnotherFolder)
{
    const QString first = MakeFolder("first", 2);
    const QString second = MakeFolder("second", 1);
    browser->setLyImgPath(first);
    ASSERT_TRUE(WaitUntilLoaded());
    QObject::connect(browser.get(), &TlyScrollboxImg::OnlyImgClick, browser.get(),
                     [&] { browser->setLyImgPath(second); });
    QTest::mouseClick(browser->Tile(0)->picture(), Qt::LeftButton); // frees the clicked tile
    ASSERT_TRUE(WaitForProgress({1, 1}));
    ASSERT_TRUE(WaitUntilLoaded());
    ASSERT_EQ(Tiles().size(), 1);
    EXPECT_TRUE(Tiles()[0]->lyImageFile().startsWith(second + "/"));
}

TEST_F(BrowserTest, DestroyedWhileLoading)
{
    browser->setLyImgPath(MakeFolder("many", 8));
    ASSERT_TRUE(WaitForProgress({1, 8}));
    EXPECT_EQ(TlyScrollboxImg::LoaderThreads(), 1);
    browser.reset(); // stops the loader and waits for it
    EXPECT_EQ(TlyScrollboxImg::LoaderThreads(), 0);
}

} // namespace
