#include "support/Sandbox.h"

#include "control/widgets/NewImage.h"
#include "editor/widgets/ProcessUnit.h"
#include "editor/widgets/ShowUnit.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

namespace {

TEST(SplashProcessTest, SplashClosesItselfOnTheSecondTick)
{
    TFrmShow::SetTickInterval(10);
    TFrmShow splash;
    EXPECT_EQ(splash.size(), QSize(430, 290));
    EXPECT_EQ(splash.LblVersion->text(), "Lyrabell v3.50");
    EXPECT_TRUE(splash.Timer1->isActive());
    bool closedInTime = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &splash, [&] { splash.reject(); });
    guard.start(10000);
    splash.exec();
    closedInTime = guard.isActive();
    EXPECT_TRUE(closedInTime);
    EXPECT_EQ(splash.result(), QDialog::Accepted);
}

TEST(SplashProcessTest, ProgressAdvancesUntilFinishedAndKeepsTheMarkWhenHidden)
{
    QWidget owner;
    owner.resize(800, 570);
    owner.show();
    TFrmProcess process(&owner);
    process.show();
    EXPECT_EQ(process.size(), QSize(368, 58));
    EXPECT_EQ(process.ProgressBar1->value(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(process.ProgressBar1->value(), TFrmProcess::kSteps, 10000);
    EXPECT_TRUE(process.Timer1->isActive()) << "waits for the finished mark";

    process.setFinished(true);
    process.hide();
    QTRY_VERIFY_WITH_TIMEOUT(!process.Timer1->isActive(), 10000);

    // Shown again with the mark still set: one step, then it waits.
    process.show();
    QTRY_VERIFY_WITH_TIMEOUT(!process.Timer1->isActive(), 10000);
    EXPECT_EQ(process.ProgressBar1->value(), 1);

    process.close();
    EXPECT_FALSE(process.Finished());
}

} // namespace
