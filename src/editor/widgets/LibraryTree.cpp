#include "editor/widgets/LibraryTree.h"

#include "control/widgets/Skin.h"
#include "editor/widgets/CreateDirUnit.h"
#include "shared/widgets/Notice.h"

#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QTreeWidget>

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

} // namespace ly
