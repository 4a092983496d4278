#include "editor/widgets/LibraryTree.h"

#include "editor/widgets/CreateDirUnit.h"
#include "shared/Settings.h"
#include "shared/widgets/Notice.h"
#include "support/Modal.h"
#include "support/Sandbox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include <gtest/gtest.h>

namespace {

using ly::LibraryRecords;

const QString kSection = QStringLiteral("DirMusicSet");

std::vector<std::pair<int, QString>> g_notices;

using lytest::whenModalShows;

class LibraryTreeTest : public lytest::SandboxTest
{
protected:
    void SetUp() override
    {
        g_notices.clear();
        ly::SetNoticeHook([](int kind, const QString &text) { g_notices.emplace_back(kind, text); });
        ly::EraseIniSection(kSection, ly::ConfigFile());
        QDir(sandbox.programDir()).mkdir(QStringLiteral("Music"));
        for (const auto &[folder, name] : {std::pair{"\\Music\\Love", "Love songs"},
                                           std::pair{"\\Music\\Waltz", "Waltzes"},
                                           std::pair{"\\Music\\Bells", "Bells"}})
            ly::CreateLibraryFolder(&tree, kSection, QLatin1String(folder), records, QLatin1String(name));
        tree.clear();
        records.clear();
    }
    void TearDown() override { ly::SetNoticeHook(nullptr); }

    QStringList captions() const
    {
        QStringList list;
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            list << tree.topLevelItem(i)->text(0);
        return list;
    }

    QTreeWidget tree;
    LibraryRecords records;
};

TEST_F(LibraryTreeTest, LoadingFillsOneEditableRootNodePerEntry)
{
    ly::LoadLibraryTree(&tree, kSection, records);
    EXPECT_EQ(captions(), QStringList({"Love songs", "Waltzes", "Bells"}));
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[2].folder, "\\Music\\Bells");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(tree.topLevelItem(i)->flags() & Qt::ItemIsEditable);
        EXPECT_EQ(tree.topLevelItem(i)->childCount(), 0);
    }

    // Loading again replaces what the tree held.
    ly::LoadLibraryTree(&tree, kSection, records);
    EXPECT_EQ(tree.topLevelItemCount(), 3);
    EXPECT_EQ(records.size(), 3);
}

TEST_F(LibraryTreeTest, CreatingAppendsANodeAndTheSameEntryTwiceWarns)
{
    ly::LoadLibraryTree(&tree, kSection, records);
    ly::CreateLibraryFolder(&tree, kSection, QStringLiteral("\\Music\\Night"), records,
                            QStringLiteral("Night music"));
    EXPECT_EQ(captions().last(), "Night music");
    EXPECT_EQ(ly::ReadConfig(kSection, QStringLiteral("Path_3")), "\\Music\\Night");
    EXPECT_TRUE(g_notices.empty());

    ly::CreateLibraryFolder(&tree, kSection, QStringLiteral("\\Music\\Night"), records,
                            QStringLiteral("Night music"));
    ASSERT_EQ(g_notices.size(), 1u);
    EXPECT_EQ(g_notices[0], (std::pair<int, QString>(2, "Have the same catalogue")));
    EXPECT_EQ(tree.topLevelItemCount(), 4);
    EXPECT_EQ(records.size(), 4);
    EXPECT_EQ(ly::ReadConfig(kSection, QStringLiteral("Number")), "4");
}

TEST_F(LibraryTreeTest, DeletingRemovesTheNodeAndTheEntry)
{
    ly::LoadLibraryTree(&tree, kSection, records);
    ly::DeleteLibraryFolder(&tree, kSection, 0, records);
    EXPECT_EQ(captions(), QStringList({"Waltzes", "Bells"}));
    EXPECT_EQ(records.size(), 2);
    EXPECT_EQ(ly::ReadConfig(kSection, QStringLiteral("Number")), "2");
    EXPECT_EQ(ly::ReadConfig(kSection, QStringLiteral("Path_0")), "\\Music\\Waltz");
}

TEST_F(LibraryTreeTest, RenamingStoresTheEditedCaption)
{
    ly::LoadLibraryTree(&tree, kSection, records);
    tree.topLevelItem(1)->setText(0, QStringLiteral("Little waltzes"));
    ly::RenameLibraryFolder(&tree, kSection, 1, records);
    EXPECT_EQ(ly::ReadConfig(kSection, QStringLiteral("Name_1")), "Little waltzes");
    EXPECT_EQ(ly::ReadConfig(kSection, QStringLiteral("Path_1")), "\\Music\\Waltz");
    EXPECT_EQ(records[1].description, "Little waltzes");
}

TEST_F(LibraryTreeTest, TheCreateButtonAsksForTheFolderUnderTheBase)
{
    ly::LoadLibraryTree(&tree, kSection, records);
    QString offered;
    whenModalShows<TFrmCreateDir>([&offered](TFrmCreateDir *dialog) {
        offered = dialog->EdtPath->text();
        QTest::keyClicks(dialog->EdtDir, QStringLiteral("Night"));
        QTest::keyClicks(dialog->EdtText, QStringLiteral("Night music"));
        dialog->BtnOK->click();
    });
    ly::LibraryCreateClick(nullptr, &tree, kSection, QString::fromLatin1(ly::kMusicBase), records);
    EXPECT_EQ(offered, "\\Music\\");
    EXPECT_EQ(captions().last(), "Night music");
    EXPECT_EQ(ly::ReadConfig(kSection, QStringLiteral("Path_3")), "\\Music\\Night");
    EXPECT_TRUE(QDir(sandbox.programDir() + QStringLiteral("Music/Night")).exists());

    whenModalShows<TFrmCreateDir>([](TFrmCreateDir *dialog) {
        QTest::keyClicks(dialog->EdtDir, QStringLiteral("Other"));
        QTest::keyClicks(dialog->EdtText, QStringLiteral("Other music"));
        dialog->BtnCancel->click();
    });
    ly::LibraryCreateClick(nullptr, &tree, kSection, QString::fromLatin1(ly::kMusicBase), records);
    EXPECT_EQ(tree.topLevelItemCount(), 4);
    EXPECT_EQ(ly::ReadConfig(kSection, QStringLiteral("Number")), "4");
}

TEST_F(LibraryTreeTest, TheDeleteButtonAsksFirstAndDeletesOnlyOnYes)
{
    ly::LoadLibraryTree(&tree, kSection, records);
    tree.setCurrentItem(tree.topLevelItem(1));

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModalShows<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    ly::LibraryDeleteClick(nullptr, &tree, kSection, records);
    EXPECT_EQ(title, "Information");
    EXPECT_EQ(text, "Do you really need to delete this Directory");
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(tree.topLevelItemCount(), 3);

    whenModalShows<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    ly::LibraryDeleteClick(nullptr, &tree, kSection, records);
    EXPECT_EQ(captions(), QStringList({"Love songs", "Bells"}));
    EXPECT_EQ(ly::ReadConfig(kSection, QStringLiteral("Number")), "2");
}

} // namespace
