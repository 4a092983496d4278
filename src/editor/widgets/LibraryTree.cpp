#include "editor/widgets/LibraryTree.h"

#include "control/widgets/LyFolderTree.h"
#include "control/widgets/Skin.h"
#include "editor/widgets/CreateDirUnit.h"
#include "shared/widgets/Notice.h"

#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace ly {

namespace {

void appendNode(QTreeWidget *tree, const QString &caption)
{
    QIcon icon(SkinPicture(QStringLiteral("FolderClosed")));
    icon.addPixmap(SkinPicture(QStringLiteral("FolderOpen")), QIcon::Selected);
    auto *node = new QTreeWidgetItem(tree, {caption});
    node->setIcon(0, icon);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

QToolButton *libraryButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setFixedSize(26, 26);
    return button;
}

} // namespace

void LoadLibraryTree(QTreeWidget *tree, const QString &section, LibraryRecords &records)
{
    tree->clear();
    records = ReadLibrary(section);
    for (const LibraryRecord &record : std::as_const(records))
        appendNode(tree, record.description);
}

void CreateLibraryFolder(QTreeWidget *tree, const QString &section, const QString &folder,
                         LibraryRecords &records, const QString &description)
{
    if (!AddLibraryEntry(section, records, {folder, description})) {
        ShowNotice(NoticeWarning, QStringLiteral("Have the same catalogue"));
        return;
    }
    appendNode(tree, description);
}

void DeleteLibraryFolder(QTreeWidget *tree, const QString &section, int index,
                         LibraryRecords &records)
{
    if (index < 0 || index >= records.size())
        return;
    delete tree->takeTopLevelItem(index);
    RemoveLibraryEntry(section, records, index);
}

void RenameLibraryFolder(QTreeWidget *tree, const QString &section, int index,
                         LibraryRecords &records)
{
    const QTreeWidgetItem *node = tree->topLevelItem(index);
    if (!node)
        return;
    RenameLibraryEntry(section, records, index, node->text(0));
}

void LibraryCreateClick(QWidget *owner, QTreeWidget *tree, const QString &section,
                        const QString &baseFolder, LibraryRecords &records)
{
    TFrmCreateDir dialog(owner);
    dialog.EdtPath->setText(baseFolder);
    if (dialog.ShowModal() == Tly_Form::mrOk)
        CreateLibraryFolder(tree, section, dialog.NewFolder(), records, dialog.Description());
}

void LibraryDeleteClick(QWidget *owner, QTreeWidget *tree, const QString &section,
                        LibraryRecords &records)
{
    const int index = tree->currentItem() ? tree->indexOfTopLevelItem(tree->currentItem()) : -1;
    if (index < 0)
        return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Information"),
                    QStringLiteral("Do you really need to delete this Directory"),
                    QMessageBox::Yes | QMessageBox::No, owner);
    if (box.exec() == QMessageBox::Yes)
        DeleteLibraryFolder(tree, section, index, records);
}

void LibraryRenameClick(QTreeWidget *tree, const QString &section, LibraryRecords &records)
{
    if (QTreeWidgetItem *node = tree->currentItem())
        RenameLibraryFolder(tree, section, tree->indexOfTopLevelItem(node), records);
}

LibraryPages::LibraryPages(QWidget *parent)
{
    PageControl1 = new QTabWidget(parent);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setAccessibleName(QStringLiteral("PageControl1"));
    PageControl1->setUsesScrollButtons(false);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    PageControl1->addTab(TabSheet1, QString());
    PageControl1->addTab(TabSheet2, QString());
    BtnCreate = libraryButton(TabSheet1, "BtnCreate", QStyle::SP_FileDialogNewFolder);
    BtnDelete = libraryButton(TabSheet1, "BtnDelete", QStyle::SP_TrashIcon);
    BtnRename = libraryButton(TabSheet1, "BtnRename", QStyle::SP_FileDialogDetailedView);
    TreeView1 = new QTreeWidget(TabSheet1);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setAccessibleName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setRootIsDecorated(false);
    ShellTreeView1 = new TlyFolderTree(TabSheet2);
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    ShellTreeView1->setAccessibleName(QStringLiteral("ShellTreeView1"));
}

void LibraryPages::SetHints()
{
    BtnCreate->setToolTip(QStringLiteral("Create Directory"));
    BtnDelete->setToolTip(QStringLiteral("Del Directory"));
    BtnRename->setToolTip(QStringLiteral("Rename Directory"));
}

void LibraryPages::Place(const QRect &geometry)
{
    PageControl1->setGeometry(geometry);
    const QSize sheet = TabSheet1->size();
    BtnCreate->move(4, 4);
    BtnDelete->move(32, 4);
    BtnRename->move(60, 4);
    TreeView1->setGeometry(2, 34, std::max(10, sheet.width() - 4), std::max(10, sheet.height() - 36));
    ShellTreeView1->setGeometry(2, 2, std::max(10, sheet.width() - 4), std::max(10, sheet.height() - 4));
}

void LibraryPages::SelectFirstFolderNode()
{
    // Selecting a node never expands it (the tree lists a folder's subfolders only when the
    // user opens it); "Computer" has no path, so no folder is shown.
    ShellTreeView1->setCurrentItem(ShellTreeView1->topLevelItem(0));
}

} // namespace ly
