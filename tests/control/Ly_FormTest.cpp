#include "control/widgets/Ly_Form.h"

#include "control/widgets/LyFullPicture.h"
#include "control/widgets/LyImgBtn.h"
#include "control/MouseInput.h"
#include "support/Modal.h"
#include "support/Printers.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

TEST(Ly_FormTest, LaysOutTitleBarEdgesAndClientAreaWithoutASystemFrame)
{
    Tly_Form form;
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form.size(), QSize(690, 504));

    const struct { QWidget *part; QRect geometry; } parts[] = {
        {form.PnlTop, {0, 0, 690, 28}},
        {form.LyFullPicture1, {0, 0, 615, 28}},
        {form.LyFullPicture6, {615, 0, 75, 28}},
        {form.SpeedButton19, {3, 4, 22, 22}},
        {form.Label35, {29, 10, 400, 18}},
        {form.Label36, {30, 9, 400, 18}},
        {form.lyImgBtnMin, {8, 8, 18, 16}},
        {form.lyImgBtnMax, {29, 8, 18, 16}},
        {form.lyImgBtnNorm, {29, 8, 18, 16}},
        {form.Ttl_BtnExit, {51, 8, 18, 16}},
        {form.LyFullPicture4, {0, 28, 4, 472}},
        {form.LyFullPicture5, {686, 28, 4, 472}},
        {form.Panel2, {0, 500, 690, 4}},
        {form.LyFullPicture3, {0, 0, 690, 4}},
        {form.LyFullPicture2, {4, 28, 682, 472}},
    };
    for (const auto &p : parts)
        EXPECT_EQ(p.part->geometry(), p.geometry) << p.part->metaObject()->className();

    // The parts follow a new size.
    form.setClientAreaSize(QSize(300, 200));
    EXPECT_EQ(form.size(), QSize(308, 232));
    EXPECT_EQ(form.ClientArea()->geometry(), QRect(4, 28, 300, 200));
    EXPECT_EQ(form.LyFullPicture6->geometry(), QRect(233, 0, 75, 28));
    EXPECT_EQ(form.Panel2->geometry(), QRect(0, 228, 308, 4));

    // Every part is painted from a skin picture.
    for (TLyFullPicture *panel : {form.LyFullPicture1, form.LyFullPicture2, form.LyFullPicture3,
                                  form.LyFullPicture4, form.LyFullPicture5, form.LyFullPicture6})
        EXPECT_FALSE(panel->LyLoadPicture().isNull());
}

TEST(Ly_FormTest, ShowsOnlyTheExitButtonAndTheTitleAsTextOverShadow)
{
    Tly_Form form;
    EXPECT_TRUE(form.Ttl_BtnExit->isVisibleTo(&form));
    EXPECT_FALSE(form.lyImgBtnMin->isVisibleTo(&form));
    EXPECT_FALSE(form.lyImgBtnMax->isVisibleTo(&form));
    EXPECT_FALSE(form.lyImgBtnNorm->isVisibleTo(&form));

    form.setTitleText(QStringLiteral("Create Directory"));
    EXPECT_EQ(form.Label35->text(), "Create Directory");
    EXPECT_EQ(form.Label36->text(), "Create Directory");
    EXPECT_EQ(form.windowTitle(), "Create Directory");
    // The white text lies above its black shadow.
    const QObjectList stack = form.LyFullPicture1->children();
    EXPECT_GT(stack.indexOf(form.Label36), stack.indexOf(form.Label35));
    EXPECT_EQ(form.Label36->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(form.Label35->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST(Ly_FormTest, MaximiseAndRestoreSwapTheirButtons)
{
    Tly_Form form;
    form.lyImgBtnMax->show();
    ASSERT_TRUE(lytest::showAndWait(&form));

    lytest::mouseMove(form.lyImgBtnMax, {5, 5});
    lytest::mousePress(form.lyImgBtnMax, {5, 5});
    lytest::mouseRelease(form.lyImgBtnMax, {5, 5});
    EXPECT_TRUE(form.isMaximized());
    EXPECT_FALSE(form.lyImgBtnMax->isVisible());
    EXPECT_TRUE(form.lyImgBtnNorm->isVisible());

    form.lyImgBtnNormClick();
    EXPECT_FALSE(form.isMaximized());
    EXPECT_TRUE(form.lyImgBtnMax->isVisible());
    EXPECT_FALSE(form.lyImgBtnNorm->isVisible());
}

TEST(Ly_FormTest, MinimiseSendsEveryWindowOfTheProgramToTheTaskBar)
{
    Tly_Form main;
    Tly_Form other;
    auto *dialog = new Tly_Form(&main);
    ASSERT_TRUE(lytest::showAndWait(&main));
    ASSERT_TRUE(lytest::showAndWait(&other));
    ASSERT_TRUE(lytest::showAndWait(dialog));

    dialog->lyImgBtnMinClick();
    EXPECT_TRUE(main.isMinimized());
    EXPECT_TRUE(other.isMinimized());
}

TEST(Ly_FormTest, DraggingTheTitleMovesTheWindow)
{
    Tly_Form form;
    form.move(100, 80);
    ASSERT_TRUE(lytest::showAndWait(&form));

    // Drags the pointer from `part`'s point `at` by `by`, through a point on the way.
    const auto drag = [&form](QWidget *part, QPoint at, QPoint by) {
        const QPoint from = part->mapToGlobal(at);
        lytest::mousePress(part, at);
        lytest::mouseMoveGlobal(&form, from + by / 2);
        lytest::mouseMoveGlobal(&form, from + by);
        lytest::mouseReleaseGlobal(&form, from + by);
    };

    // On the title text, which passes the press to the title picture beneath.
    drag(form.Label36, {20, 5}, {37, 12});
    EXPECT_EQ(form.pos(), QPoint(137, 92));
    // The button strip drags too.
    drag(form.LyFullPicture6, {3, 3}, {-20, 4});
    EXPECT_EQ(form.pos(), QPoint(117, 96));
    // The client area does not.
    drag(form.ClientArea(), {50, 50}, {40, 40});
    EXPECT_EQ(form.pos(), QPoint(117, 96));
}

TEST(Ly_FormTest, IsCentredOnItsOwnerWhenFirstShown)
{
    Tly_Form owner;
    owner.setGeometry(200, 100, 600, 400);
    ASSERT_TRUE(lytest::showAndWait(&owner));
    Tly_Form dialog(&owner);
    dialog.setClientAreaSize(QSize(192, 168)); // 200 x 200
    ASSERT_TRUE(lytest::showAndWait(&dialog));
    EXPECT_EQ(dialog.frameGeometry().center(), owner.frameGeometry().center());

    // A window placed by its code stays where it was put.
    Tly_Form placed(&owner);
    placed.move(10, 20);
    ASSERT_TRUE(lytest::showAndWait(&placed));
    EXPECT_EQ(placed.pos(), QPoint(10, 20));
}

TEST(Ly_FormTest, ShowModalReturnsTheModalResult)
{
    Tly_Form form;
    const lytest::ModalGuard guard(&form);
    QTimer::singleShot(0, &form, [&form] { form.setModalResult(Tly_Form::mrOk); });
    EXPECT_EQ(form.ShowModal(), Tly_Form::mrOk);
    EXPECT_FALSE(form.isVisible());

    // The exit button closes the window: a modal run ends with mrCancel.
    const lytest::ModalGuard exitGuard(&form);
    QTimer::singleShot(0, &form, [&form] {
        lytest::mouseMove(form.Ttl_BtnExit, {5, 5});
        lytest::mousePress(form.Ttl_BtnExit, {5, 5});
        lytest::mouseRelease(form.Ttl_BtnExit, {5, 5});
    });
    EXPECT_EQ(form.ShowModal(), Tly_Form::mrCancel);
    EXPECT_FALSE(form.isVisible());
}

} // namespace
