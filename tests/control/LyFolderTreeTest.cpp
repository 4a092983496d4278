#include "control/widgets/LyFolderTree.h"
#include "support/Sandbox.h"

#include <QDir>
#include <QSignalSpy>

namespace {

using LyFolderTreeTest = lytest::SandboxTest;

TEST_F(LyFolderTreeTest, ComputerHoldsHomeTheRootAndTheVolumes)
{
    TlyFolderTree tree;
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem *computer = tree.topLevelItem(0);
    EXPECT_EQ(computer->text(0), "Computer");
    EXPECT_EQ(TlyFolderTree::NodePath(computer), QString());
    QStringList paths;
    for (int i = 0; i < computer->childCount(); ++i)
        paths << TlyFolderTree::NodePath(computer->child(i));
    EXPECT_EQ(paths.first(), QDir::cleanPath(QDir::homePath()));
    EXPECT_TRUE(paths.contains("/"));
    EXPECT_EQ(paths.removeDuplicates(), 0);
    // Nothing below a place is listed before it is opened.
    EXPECT_EQ(computer->child(0)->childCount(), 0);
}

TEST_F(LyFolderTreeTest, SelectingAFolderOpensItsWayAndReportsTheChange)
{
    QDir().mkpath(sandbox.root() + "a/b/c");
    QDir().mkpath(sandbox.root() + "a/.hidden");
    TlyFolderTree tree;
    QSignalSpy changes(&tree, &TlyFolderTree::Change);
    const QString folder = QDir::cleanPath(sandbox.root() + "a/b");
    ASSERT_TRUE(tree.SelectPath(folder));
    EXPECT_EQ(tree.SelectedPath(), folder);
    EXPECT_EQ(changes.size(), 1);
    QTreeWidgetItem *a = tree.currentItem()->parent();
    EXPECT_EQ(TlyFolderTree::NodePath(a), QDir::cleanPath(sandbox.root() + "a"));
    EXPECT_EQ(a->childCount(), 1); // hidden folders are left out
    EXPECT_TRUE(a->isExpanded());

    // Opening a node lists its subfolders.
    tree.currentItem()->setExpanded(true);
    ASSERT_EQ(tree.currentItem()->childCount(), 1);
    EXPECT_EQ(tree.currentItem()->child(0)->text(0), "c");

    EXPECT_FALSE(tree.SelectPath(sandbox.root() + "missing"));
}

} // namespace
