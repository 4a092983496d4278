#include "editor/widgets/CreateDirUnit.h"

#include "shared/widgets/Notice.h"
#include "support/Sandbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

std::vector<std::pair<int, QString>> g_notices;

class LibraryCreateDirTest : public lytest::SandboxTest
{
protected:
    void SetUp() override
    {
        g_notices.clear();
        ly::SetNoticeHook([](int kind, const QString &text) { g_notices.emplace_back(kind, text); });
    }
    void TearDown() override { ly::SetNoticeHook(nullptr); }

    // The dialog as a chooser opens it, with the base folder in the location field.
    void open(const QString &base)
    {
        dialog.EdtPath->setText(base);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    TFrmCreateDir dialog;
};

TEST_F(LibraryCreateDirTest, ShowingSetsTheTextsAndClearsNameAndDescription)
{
    dialog.EdtDir->setText(QStringLiteral("left over"));
    dialog.EdtText->setText(QStringLiteral("left over"));
    open(QStringLiteral("\\Music\\"));

    EXPECT_EQ(dialog.Label35->text(), "Create Directory");
    EXPECT_EQ(dialog.Label36->text(), "Create Directory");
    EXPECT_EQ(dialog.LblTitle->text(), "Create Directory and The document management");
    EXPECT_EQ(dialog.LblPath->text(), "Lo&cation:");
    EXPECT_EQ(dialog.LblCreate->text(), "Directory:");
    EXPECT_EQ(dialog.LblText->text(), "Explain:");
    EXPECT_EQ(dialog.BtnOK->text(), "&Ok");
    EXPECT_EQ(dialog.BtnCancel->text(), "&Cancel");
    EXPECT_EQ(dialog.BtnOpen->toolTip(), "Open");
    EXPECT_EQ(dialog.EdtDir->text(), "");
    EXPECT_EQ(dialog.EdtText->text(), "");
    EXPECT_EQ(dialog.EdtPath->text(), "\\Music\\");
}

TEST_F(LibraryCreateDirTest, TypingAFolderNameShowsTheFolderToBeMadeAtTheFoot)
{
    const struct { const char *base; const char *shown; } cases[] = {
        {"\\Music\\", "  \\Music\\Love\\"},
        {"\\Music", "  \\Music\\Love\\"},
        {"/home/me/Songs", "  /home/me/Songs/Love/"},
        {"/home/me/Songs/", "  /home/me/Songs/Love/"},
        {"", "  \\Love\\"},
    };
    for (const auto &c : cases) {
        dialog.EdtPath->setText(QLatin1String(c.base));
        dialog.EdtDir->clear();
        QTest::keyClicks(dialog.EdtDir, QStringLiteral("Love"));
        EXPECT_EQ(dialog.PnlPath->text(), QLatin1String(c.shown)) << c.base;
    }
}

TEST_F(LibraryCreateDirTest, OkWithoutADescriptionWarnsAndStays)
{
    open(QStringLiteral("\\Music\\"));
    QTest::keyClicks(dialog.EdtDir, QStringLiteral("Love"));
    QTest::keyClicks(dialog.EdtText, QStringLiteral("   "));
    dialog.BtnOK->click();
    ASSERT_EQ(g_notices.size(), 1u);
    EXPECT_EQ(g_notices[0], (std::pair<int, QString>(2, "Execuse me, please fill in the good catalogue elucidation")));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.ModalResult(), Tly_Form::mrNone);
}

TEST_F(LibraryCreateDirTest, OkGivesTheTrimmedFolderAndDescription)
{
    open(QStringLiteral("\\Music\\"));
    QTest::keyClicks(dialog.EdtDir, QStringLiteral(" Love "));
    QTest::keyClicks(dialog.EdtText, QStringLiteral("  Love songs "));
    dialog.BtnOK->click();
    EXPECT_TRUE(g_notices.empty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.ModalResult(), Tly_Form::mrOk);
    EXPECT_EQ(dialog.NewFolder(), "\\Music\\Love");
    EXPECT_EQ(dialog.Description(), "Love songs");
}

TEST_F(LibraryCreateDirTest, BrowsingTakesTheChosenFolderAndLocksTheName)
{
    QString askedTitle;
    bool choose = false;
    dialog.setFolderPicker([&](QWidget *, const QString &title, QString &folder) {
        askedTitle = title;
        if (choose)
            folder = QStringLiteral("/home/me/Pictures");
        return choose;
    });
    open(QStringLiteral("\\Picture\\"));
    QTest::keyClicks(dialog.EdtDir, QStringLiteral("Trip"));

    // Nothing chosen: nothing changes.
    dialog.BtnOpen->click();
    EXPECT_EQ(askedTitle, "Please choose the catalogue");
    EXPECT_EQ(dialog.EdtPath->text(), "\\Picture\\");
    EXPECT_TRUE(dialog.EdtDir->isEnabled());

    choose = true;
    dialog.BtnOpen->click();
    EXPECT_EQ(dialog.EdtPath->text(), "/home/me/Pictures");
    EXPECT_EQ(dialog.PnlPath->text(), "  /home/me/Pictures/");
    EXPECT_FALSE(dialog.EdtDir->isEnabled());
    EXPECT_EQ(dialog.EdtDir->text(), "Trip");
    EXPECT_EQ(dialog.focusWidget(), dialog.EdtText);

    // The name kept in the disabled field still counts; an empty one gives the folder itself.
    QTest::keyClicks(dialog.EdtText, QStringLiteral("Holiday"));
    dialog.BtnOK->click();
    EXPECT_EQ(dialog.NewFolder(), "/home/me/Pictures/Trip");
}

TEST_F(LibraryCreateDirTest, ABrowsedFolderWithNoNameIsTheFolderWithASeparator)
{
    dialog.setFolderPicker([](QWidget *, const QString &, QString &folder) {
        folder = QStringLiteral("/home/me/Pictures");
        return true;
    });
    open(QStringLiteral("\\Picture\\"));
    dialog.BtnOpen->click();
    QTest::keyClicks(dialog.EdtText, QStringLiteral("Mine"));
    QTest::keyClick(dialog.EdtText, Qt::Key_Return);
    EXPECT_EQ(dialog.ModalResult(), Tly_Form::mrOk);
    EXPECT_EQ(dialog.NewFolder(), "/home/me/Pictures/");
}

TEST_F(LibraryCreateDirTest, CancelAndEscapeCloseWithoutOutcome)
{
    for (const bool escape : {false, true}) {
        TFrmCreateDir fresh;
        fresh.EdtPath->setText(QStringLiteral("\\Music\\"));
        fresh.show();
        QTest::keyClicks(fresh.EdtDir, QStringLiteral("Love"));
        QTest::keyClicks(fresh.EdtText, QStringLiteral("Love songs"));
        if (escape)
            QTest::keyClick(fresh.EdtText, Qt::Key_Escape);
        else
            fresh.BtnCancel->click();
        EXPECT_FALSE(fresh.isVisible());
        EXPECT_EQ(fresh.ModalResult(), Tly_Form::mrCancel);
        EXPECT_EQ(fresh.NewFolder(), "");
    }
}

} // namespace
