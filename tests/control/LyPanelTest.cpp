#include "control/widgets/LyPanel.h"

#include "control/widgets/LyFullPicture.h"
#include "control/MouseInput.h"
#include "shared/Settings.h"
#include "support/Sandbox.h"

#include <QLabel>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class LyPanelTest : public lytest::SandboxTest
{
};

TEST_F(LyPanelTest, ANewPanelShowsTheConfiguredTextAndScrollsItUp)
{
    ly::WriteConfig(QStringLiteral("Control"), QStringLiteral("LyPanel"), QStringLiteral("Happy birthday!"));
    TLyPanel configured;
    EXPECT_EQ(configured.LyText(), QStringList{"Happy birthday!"});

    ly::EraseIniSection(QStringLiteral("Control"), ly::ConfigFile());
    TLyPanel panel;
    EXPECT_EQ(panel.LyText(), QStringList{"Please input to bless the language!"});
    EXPECT_EQ(panel.size(), QSize(180, 100));
    EXPECT_EQ(panel.LyStyle(), TLyPanel::LyBToT);
    EXPECT_EQ(panel.LyInterval(), 200);
    EXPECT_TRUE(panel.LyEnabled());
    EXPECT_FALSE(panel.LyTransparent());
    QLabel *label = panel.textLabel();
    EXPECT_EQ(label->text(), "Please input to bless the language!");
    EXPECT_EQ(label->geometry().topLeft(), QPoint(10, 10));
    EXPECT_EQ(label->width(), 170);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(panel.timer().interval(), 200);
    EXPECT_TRUE(panel.timer().isActive());

    // The timer moves the text.
    EXPECT_TRUE(QTest::qWaitFor([label] { return label->y() < 10; }, 5000));
    EXPECT_EQ(label->y(), 5);
}

struct WrapCase
{
    TLyPanel::TLyStyle style;
    QPoint step;
};

class LyPanelWrapTest : public LyPanelTest, public ::testing::WithParamInterface<WrapCase>
{
};

// Steps until the text has wrapped around once: every step moves it by 5 pixels, and only once
// it has wholly left the panel does it come back from the opposite edge.
TEST_P(LyPanelWrapTest, TextMovesFivePixelsAStepAndWrapsOnceItHasLeft)
{
    TLyPanel panel;
    panel.setLyEnabled(false);
    panel.setLyText({QStringLiteral("A line of greeting that is long enough to wrap in the panel"),
                     QStringLiteral("and a second line")});
    panel.grab();
    panel.setLyStyle(GetParam().style);
    QLabel *label = panel.textLabel();
    ASSERT_EQ(label->pos(), QPoint(10, 10));
    const QPoint step = GetParam().step;
    const bool vertical = step.x() == 0;

    bool wrapped = false;
    for (int i = 0; i < 200 && !wrapped; ++i) {
        const QPoint before = label->pos();
        panel.TimerTimer();
        const QPoint moved = before + step;
        if (label->pos() == moved)
            continue;
        wrapped = true;
        if (vertical) {
            EXPECT_TRUE(label->wordWrap());
            EXPECT_EQ(label->width(), 170);
            if (step.y() < 0) {
                EXPECT_LT(moved.y(), -label->height());
                EXPECT_EQ(label->y(), panel.height());
            } else {
                EXPECT_GT(moved.y(), panel.height());
                EXPECT_EQ(label->y(), -label->height());
            }
        } else {
            // One line per line of text, as long as the longest.
            EXPECT_FALSE(label->wordWrap());
            EXPECT_GT(label->width(), 170);
            if (step.x() < 0) {
                EXPECT_LT(moved.x(), -label->width());
                EXPECT_EQ(label->x(), panel.width());
            } else {
                EXPECT_GT(moved.x(), panel.width());
                EXPECT_EQ(label->x(), -label->width());
            }
        }
    }
    EXPECT_TRUE(wrapped);
}

INSTANTIATE_TEST_SUITE_P(Directions, LyPanelWrapTest,
                         ::testing::Values(WrapCase{TLyPanel::LyBToT, {0, -5}},
                                           WrapCase{TLyPanel::LyTToB, {0, 5}},
                                           WrapCase{TLyPanel::LyLToR, {5, 0}},
                                           WrapCase{TLyPanel::LyRToL, {-5, 0}}));

TEST_F(LyPanelTest, RightToLeftGoesTenFiveZeroMinusFive)
{
    TLyPanel panel;
    panel.setLyEnabled(false);
    panel.setLyStyle(TLyPanel::LyRToL);
    QList<int> lefts{panel.textLabel()->x()};
    for (int i = 0; i < 3; ++i) {
        panel.TimerTimer();
        lefts << panel.textLabel()->x();
    }
    EXPECT_EQ(lefts, (QList<int>{10, 5, 0, -5}));
}

TEST_F(LyPanelTest, IntervalsOfZeroOrLessAreIgnored)
{
    TLyPanel panel;
    for (int bad : {0, -1, -200}) {
        panel.setLyInterval(bad);
        EXPECT_EQ(panel.LyInterval(), 200);
        EXPECT_EQ(panel.timer().interval(), 200);
    }
    panel.setLyInterval(350);
    EXPECT_EQ(panel.LyInterval(), 350);
    EXPECT_EQ(panel.timer().interval(), 350);
}

TEST_F(LyPanelTest, OnlyANewStyleRestartsTheText)
{
    TLyPanel panel;
    panel.setLyEnabled(false);
    panel.TimerTimer();
    panel.TimerTimer();
    EXPECT_EQ(panel.textLabel()->pos(), QPoint(10, 0));
    panel.setLyStyle(TLyPanel::LyBToT);
    EXPECT_EQ(panel.textLabel()->pos(), QPoint(10, 0));
    panel.setLyStyle(TLyPanel::LyTToB);
    EXPECT_EQ(panel.textLabel()->pos(), QPoint(10, 10));
}

TEST_F(LyPanelTest, EditingALineRestartsTheTextAtTheNextPaint)
{
    TLyPanel panel;
    panel.setLyEnabled(false);
    panel.TimerTimer();
    panel.TimerTimer();
    panel.LyText()[0] = QStringLiteral("How are You?");
    panel.grab();
    EXPECT_EQ(panel.textLabel()->pos(), QPoint(10, 10));
    EXPECT_EQ(panel.textLabel()->text(), "How are You?");

    // Painting again without a change keeps the place.
    panel.TimerTimer();
    panel.grab();
    EXPECT_EQ(panel.textLabel()->pos(), QPoint(10, 5));
}

TEST_F(LyPanelTest, DisabledTheTextStaysAndResumesFromThere)
{
    TLyPanel panel;
    panel.setLyEnabled(false);
    EXPECT_FALSE(panel.timer().isActive());
    panel.TimerTimer();
    EXPECT_FALSE(panel.timer().isActive()) << "a step does not switch a stopped panel on";
    const QPoint at = panel.textLabel()->pos();
    panel.setLyEnabled(true);
    EXPECT_TRUE(panel.timer().isActive());
    EXPECT_EQ(panel.textLabel()->pos(), at);
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.textLabel()->pos() != at; }, 5000));
    EXPECT_EQ(panel.textLabel()->pos(), at - QPoint(0, 5));
}

TEST_F(LyPanelTest, ANewFontOrSizeLaysTheTextOutAgain)
{
    TLyPanel panel;
    panel.setLyEnabled(false);
    ASSERT_TRUE(lytest::showAndWait(&panel));
    panel.TimerTimer();
    QFont big = panel.LyFont();
    big.setPointSize(20);
    panel.setLyFont(big, Qt::red);
    EXPECT_EQ(panel.textLabel()->pos(), QPoint(10, 10));
    EXPECT_EQ(panel.textLabel()->font().pointSize(), 20);
    EXPECT_EQ(panel.textLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));

    panel.TimerTimer();
    panel.resize(300, 80);
    EXPECT_EQ(panel.textLabel()->pos(), QPoint(10, 10));
    EXPECT_EQ(panel.textLabel()->width(), 290);
}

TEST_F(LyPanelTest, AClickOnTheTextIsAClickOnThePanel)
{
    QWidget host;
    host.resize(300, 200);
    auto *panel = new TLyPanel(&host);
    panel->setLyEnabled(false);
    ASSERT_TRUE(lytest::showAndWait(&host));
    QSignalSpy clicks(panel, &TLyPanel::OnClick);
    const QPoint onText = panel->textLabel()->geometry().center();
    lytest::mousePress(panel, onText);
    lytest::mouseRelease(panel, onText);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(LyPanelTest, ATransparentPanelShowsThePictureBehindIt)
{
    QImage picture(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            picture.setPixel(x, y, qRgb(x * 15, y * 15, 90));
    TLyFullPicture background;
    background.resize(300, 200);
    background.setLyLoadPicture(QPixmap::fromImage(picture));
    auto *panel = new TLyPanel(&background);
    panel->move(37, 21);
    panel->setLyEnabled(false);
    panel->setColor(QColor(200, 30, 30));

    // A point of the panel below its text.
    const QPoint at(37 + 150, 21 + 95);
    QImage shown = background.grab().toImage();
    EXPECT_EQ(shown.pixel(at), qRgb(200, 30, 30));

    panel->setLyTransparent(true);
    shown = background.grab().toImage();
    EXPECT_EQ(shown.pixel(at), picture.pixel(at.x() % 16, at.y() % 16));
}

} // namespace
