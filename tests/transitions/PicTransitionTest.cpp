#include "transitions/widgets/PicTransition.h"

#include "transitions/Effects.h"

#include "support/Printers.h"

#include <QMutex>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

QImage solid(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Waits (at most 20 s) until the control is idle.
bool waitUntilIdle(TPicTransition &t)
{
    return QTest::qWaitFor([&] { return !t.Busy(); }, 20000);
}

// Records what the control raises; the frame events may come from the worker thread.
struct Recorder
{
    QMutex lock;
    std::vector<int> progress;
    QStringList events;

    void attach(TPicTransition &t)
    {
        t.OnStart = [this](TCustomPicTransition *, QImage &, QImage &) { add("start"); };
        t.OnComplete = [this](TCustomPicTransition *) { add("complete"); };
        t.OnStop = [this](TCustomPicTransition *) { add("stop"); };
        t.OnProgress = [this](TCustomPicTransition *sender) {
            QMutexLocker l(&lock);
            progress.push_back(sender->Progress());
        };
    }
    void add(const QString &e)
    {
        QMutexLocker l(&lock);
        events << e;
    }
};

// A control with a 20 × 10 picture, quick frames, shown on the offscreen screen.
std::unique_ptr<TPicTransition> makeControl(bool threaded)
{
    auto t = std::make_unique<TPicTransition>();
    t->SetThreaded(threaded);
    t->SetDelay(0);
    t->SetColor(Qt::gray);
    t->SetPicture(solid({20, 10}, Qt::red));
    t->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(t.get()));
    return t;
}

class ModeTest : public ::testing::TestWithParam<bool>
{
};

TEST_P(ModeTest, ProgressRunsByStep)
{
    struct Case
    {
        int step;
        bool reverse;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {5, false, {5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100}},
        {30, false, {30, 60, 90, 100}},
        {30, true, {70, 40, 10, 0}},
        {0, false, {}}, // Step 0 becomes 1: 1, 2, …, 100
        {250, false, {100}},
    };
    for (const Case &c : cases) {
        auto t = makeControl(GetParam());
        Recorder r;
        r.attach(*t);
        t->SetStep(c.step);
        t->SetReverse(c.reverse);
        t->Execute();
        ASSERT_TRUE(waitUntilIdle(*t));
        std::vector<int> expected = c.expected;
        if (c.step == 0)
            for (int p = 1; p <= 100; ++p)
                expected.push_back(p);
        EXPECT_EQ(r.progress, expected) << "Step " << c.step << (c.reverse ? " reverse" : "");
        EXPECT_EQ(r.events, QStringList({"start", "complete", "stop"}));
    }
}

TEST_P(ModeTest, StopRaisesOnlyOnStop)
{
    auto t = makeControl(GetParam());
    Recorder r;
    r.attach(*t);
    t->SetDelay(60000); // one frame, then a long wait that Stop cuts short
    t->SetStep(10);
    t->OnProgress = [&](TCustomPicTransition *sender) {
        {
            QMutexLocker l(&r.lock);
            r.progress.push_back(sender->Progress());
        }
        // A stop asked for from a frame handler (on the worker thread when threaded).
        sender->Stop();
    };
    t->Execute();
    ASSERT_TRUE(waitUntilIdle(*t));
    EXPECT_EQ(r.progress, std::vector<int>({10}));
    EXPECT_EQ(r.events, QStringList({"start", "stop"}));
    EXPECT_EQ(t->Progress(), 10);
}

TEST_P(ModeTest, EveryStyleRunsToTheWholeNewPicture)
{
    auto t = makeControl(GetParam());
    t->SetStep(34); // 34, 68, 100
    int completed = 0;
    t->OnComplete = [&](TCustomPicTransition *) { ++completed; };
    for (int style = 1; style <= ly::transitions::kStyleCount; ++style) {
        const QColor color = style % 2 ? QColor(Qt::blue) : QColor(Qt::yellow);
        t->SetStyle(style);
        t->SetPicture(solid({20, 10}, color));
        t->Execute();
        ASSERT_TRUE(waitUntilIdle(*t)) << "style " << style;
        ASSERT_EQ(completed, style) << "style " << style;
        ASSERT_EQ(t->grab().toImage().pixel(10, 5), color.rgb()) << "style " << style;
    }
}

TEST_P(ModeTest, HiddenControlStillRunsToItsEnd)
{
    auto t = makeControl(GetParam());
    t->hide();
    Recorder r;
    r.attach(*t);
    t->SetStep(25);
    t->Execute();
    ASSERT_TRUE(waitUntilIdle(*t));
    EXPECT_EQ(r.events, QStringList({"start", "complete", "stop"}));
}

TEST_P(ModeTest, ManualOwnerDrivesTheProgressThenLetsItRun)
{
    auto t = makeControl(GetParam());
    Recorder r;
    r.attach(*t);
    t->SetManual(true);
    t->SetStep(40);
    t->Execute();
    EXPECT_TRUE(t->Busy());
    EXPECT_EQ(t->Progress(), 0);
    t->SetProgress(30);
    t->SetProgress(30); // unchanged: no frame
    t->SetProgress(-5);
    EXPECT_EQ(r.progress, std::vector<int>({30, 0}));
    t->SetProgress(50);
    t->SetManual(false); // runs on from 50
    ASSERT_TRUE(waitUntilIdle(*t));
    EXPECT_EQ(r.progress, std::vector<int>({30, 0, 50, 90, 100}));
    EXPECT_EQ(r.events, QStringList({"start", "complete", "stop"}));
}

INSTANTIATE_TEST_SUITE_P(PicTransition, ModeTest, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "Threaded" : "Loop"; });

TEST(PicTransitionTest, ManualSwitchedOnStopsTheWorkerButNotTheTransition)
{
    auto t = makeControl(true);
    Recorder r;
    r.attach(*t);
    t->SetDelay(60000);
    t->SetStep(10);
    t->Execute();
    ASSERT_TRUE(QTest::qWaitFor([&] { return t->Progress() == 10; }, 20000));
    t->SetManual(true);
    EXPECT_TRUE(t->Busy());
    EXPECT_EQ(r.events, QStringList({"start"}));
    t->SetProgress(100);
    t->Stop();
    EXPECT_FALSE(t->Busy());
    EXPECT_EQ(r.events, QStringList({"start", "stop"}));
}

TEST(PicTransitionTest, ExecuteNeedsAPictureAndAnIdleControl)
{
    TPicTransition empty;
    Recorder r;
    r.attach(empty);
    empty.Execute();
    EXPECT_FALSE(empty.Busy());
    EXPECT_TRUE(r.events.isEmpty());

    auto t = makeControl(true);
    r.attach(*t);
    t->SetManual(true);
    t->Execute();
    t->Execute();
    EXPECT_TRUE(t->Busy());
    EXPECT_EQ(r.events, QStringList({"start"}));
    t->Stop();
    t->Stop();
    EXPECT_EQ(r.events, QStringList({"start", "stop"}));
}

TEST(PicTransitionTest, StyleAndStyleName)
{
    TPicTransition t;
    EXPECT_EQ(t.Style(), 51);
    EXPECT_EQ(t.StyleName(), QStringLiteral("Appear and Contract to middle"));
    t.SetStyle(151);
    EXPECT_EQ(t.Style(), 51);
    t.SetStyle(150);
    EXPECT_EQ(t.StyleName(), QStringLiteral("Rotational star"));

    struct Case
    {
        const char *name;
        int style;
    };
    const Case cases[] = {
        {"custom", 0},
        {"PUSH RIGHT", 128},
        {"not in the catalogue", 128}, // unchanged
        {"Expand from bottom", 18},    // the name of 33 selects 18
        {"expand in from top", 25},    // the name of 34 selects 25
        {"", 25},
    };
    for (const Case &c : cases) {
        t.SetStyleName(QString::fromLatin1(c.name));
        EXPECT_EQ(t.Style(), c.style) << c.name;
    }
    EXPECT_EQ(t.StyleName(), QStringLiteral("Expand in from top"));
    t.SetStyle(0);
    EXPECT_EQ(t.StyleName(), QStringLiteral("Custom"));
}

TEST(PicTransitionTest, StepAndDelayLimits)
{
    TPicTransition t;
    EXPECT_EQ(t.Step(), 4);
    EXPECT_EQ(t.Delay(), 40);
    t.SetStep(0);
    EXPECT_EQ(t.Step(), 1);
    t.SetStep(101);
    EXPECT_EQ(t.Step(), 100);
    const struct
    {
        int set, delay;
    } delays[] = {{100, 100}, {0, 0}, {-5, 0}, {65535, 65535}, {70000, 65535}};
    for (const auto &d : delays) {
        t.SetDelay(d.set);
        EXPECT_EQ(t.Delay(), d.delay) << d.set;
    }
}

// The snapshot a transition starts from: what the control shows, or with OverDraw off only
// the background.
TEST(PicTransitionTest, OverDrawDecidesWhatTheFirstFrameStartsFrom)
{
    auto t = makeControl(false);
    t->SetPicture(solid({20, 10}, Qt::red));
    t->Execute(); // shows red
    QRgb start = 0;
    t->OnStart = [&](TCustomPicTransition *, QImage &, QImage &Screen) { start = Screen.pixel(5, 5); };
    t->SetManual(true);
    t->SetPicture(solid({20, 10}, Qt::green));
    t->Execute();
    EXPECT_EQ(start, QColor(Qt::red).rgb());
    t->Stop();

    t->SetOverDraw(false);
    t->SetStyle(5); // "Reveal from left"
    t->Execute();
    EXPECT_EQ(start, QColor(Qt::gray).rgb());
    t->SetProgress(50);
    // Right of the revealed half the screen shows the bare background, not the red picture.
    EXPECT_EQ(t->grab().toImage().pixel(15, 5), QColor(Qt::gray).rgb());
    EXPECT_EQ(t->grab().toImage().pixel(5, 5), QColor(Qt::green).rgb());
    t->Stop();
}

TEST(PicTransitionTest, CustomDrawComposesTheMiddleFrames)
{
    auto t = makeControl(false);
    t->SetStyle(0);
    t->SetStep(50);
    std::vector<int> drawn;
    t->OnCustomDraw = [&](TCustomPicTransition *sender, QImage &, QImage &Screen) {
        drawn.push_back(sender->Progress());
        Screen.fill(Qt::cyan);
    };
    QRgb shownAtHalf = 0;
    t->OnProgress = [&](TCustomPicTransition *sender) {
        if (sender->Progress() == 50)
            shownAtHalf = sender->grab().toImage().pixel(3, 3);
    };
    t->Execute();
    EXPECT_EQ(drawn, std::vector<int>({50}));
    EXPECT_EQ(shownAtHalf, QColor(Qt::cyan).rgb());
    EXPECT_EQ(t->grab().toImage().pixel(3, 3), QColor(Qt::red).rgb());
}

TEST(PicTransitionTest, FadeAtHalfShowsTheAverage)
{
    auto t = makeControl(false);
    t->SetStyle(118);
    t->SetPicture(solid({20, 10}, QColor(0, 0, 0)));
    t->Execute();
    t->SetPicture(solid({20, 10}, QColor(255, 100, 51)));
    t->SetManual(true);
    t->Execute();
    t->SetProgress(50);
    EXPECT_EQ(t->grab().toImage().pixel(10, 5), qRgb(127, 50, 25));
    t->Stop();
}

// Where the shown picture goes in a 40 × 40 control, and what the background shows around it.
TEST(PicTransitionTest, PaintingPlacesPictureAndBackground)
{
    QImage bg(2, 2, QImage::Format_RGB32);
    bg.setPixel(0, 0, qRgb(1, 1, 1));
    bg.setPixel(1, 0, qRgb(2, 2, 2));
    bg.setPixel(0, 1, qRgb(3, 3, 3));
    bg.setPixel(1, 1, qRgb(4, 4, 4));
    struct Case
    {
        const char *what;
        std::function<void(TPicTransition &)> set;
        QPoint at;
        QRgb expected;
    };
    const QRgb red = QColor(Qt::red).rgb(), gray = QColor(Qt::gray).rgb();
    const Case cases[] = {
        {"at the origin", [](TPicTransition &) {}, {19, 9}, red},
        {"background right of it", [](TPicTransition &) {}, {20, 10}, qRgb(1, 1, 1)},
        {"tiled background", [](TPicTransition &) {}, {23, 31}, qRgb(4, 4, 4)},
        {"centred", [](TPicTransition &t) { t.SetCenter(true); }, {10, 15}, red},
        {"centred, left of it", [](TPicTransition &t) { t.SetCenter(true); }, {9, 15}, qRgb(4, 4, 4)},
        {"stretched", [](TPicTransition &t) { t.SetStretch(true); }, {39, 39}, red},
        {"stretched fine", [](TPicTransition &t) { t.SetStretch(true); t.SetStretchFine(true); }, {20, 10}, red},
        {"stretched fine, above", [](TPicTransition &t) { t.SetStretch(true); t.SetStretchFine(true); }, {20, 9}, qRgb(3, 3, 3)},
        {"no background", [](TPicTransition &t) { t.SetBgMode(TCustomPicTransition::bmNone); }, {30, 30}, gray},
        {"centred background", [](TPicTransition &t) { t.SetBgMode(TCustomPicTransition::bmCentered); }, {19, 20}, qRgb(3, 3, 3)},
        {"centred background, beside", [](TPicTransition &t) { t.SetBgMode(TCustomPicTransition::bmCentered); }, {30, 30}, gray},
        {"stretched background", [](TPicTransition &t) { t.SetBgMode(TCustomPicTransition::bmStretched); }, {39, 39}, qRgb(4, 4, 4)},
    };
    for (const Case &c : cases) {
        auto t = makeControl(false);
        t->SetAutoSize(false);
        t->resize(40, 40);
        t->SetBgPicture(bg);
        t->Execute();
        c.set(*t);
        EXPECT_EQ(t->grab().toImage().pixel(c.at), c.expected) << c.what;
    }
}

TEST(PicTransitionTest, ClearLeavesOnlyTheBackground)
{
    auto t = makeControl(false);
    t->Clear(); // nothing shown yet
    t->Execute();
    EXPECT_EQ(t->grab().toImage().pixel(5, 5), QColor(Qt::red).rgb());
    t->Clear();
    EXPECT_EQ(t->grab().toImage().pixel(5, 5), QColor(Qt::gray).rgb());
}

TEST(PicTransitionTest, AutoSizeKeepsTheDockedExtent)
{
    struct Case
    {
        TCustomPicTransition::TAlign align;
        bool autoSize;
        QSize expected;
    };
    const Case cases[] = {
        {TCustomPicTransition::alNone, true, {30, 20}},
        {TCustomPicTransition::alTop, true, {50, 20}},
        {TCustomPicTransition::alRight, true, {30, 50}},
        {TCustomPicTransition::alClient, true, {50, 50}},
        {TCustomPicTransition::alNone, false, {50, 50}},
    };
    for (const Case &c : cases) {
        TPicTransition t;
        t.resize(50, 50);
        t.SetAlign(c.align);
        t.SetAutoSize(c.autoSize);
        int changes = 0;
        t.OnChange = [&](TCustomPicTransition *) { ++changes; };
        t.SetPicture(solid({30, 20}, Qt::red));
        EXPECT_EQ(t.size(), c.expected) << c.align;
        EXPECT_EQ(changes, 1);
    }
}

TEST(PicTransitionTest, DestroyingABusyControlEndsItsWorkerQuietly)
{
    Recorder r;
    {
        auto t = makeControl(true);
        r.attach(*t);
        t->SetDelay(60000);
        t->Execute();
        ASSERT_TRUE(QTest::qWaitFor([&] { return t->Progress() > 0; }, 20000));
    }
    EXPECT_EQ(r.events, QStringList({"start"}));
}

} // namespace
