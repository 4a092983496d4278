#pragma once

#include "editor/Library.h"

#include <QRect>

class QTabWidget;
class QToolButton;
class QTreeWidget;
class QWidget;
class TlyFolderTree;

// The library operations of the choosers: each keeps the tree (one root node per entry, its
// caption the description, editable in place), the records and the config.ini section in step.
namespace ly {

void LoadLibraryTree(QTreeWidget *tree, const QString &section, LibraryRecords &records);

// Adds an entry and creates its folder; the same folder and description a second time gives the
// warning "Have the same catalogue" and changes nothing.
void CreateLibraryFolder(QTreeWidget *tree, const QString &section, const QString &folder,
                         LibraryRecords &records, const QString &description);

void DeleteLibraryFolder(QTreeWidget *tree, const QString &section, int index,
                         LibraryRecords &records);

// Stores the current caption of node `index` (as the user edited it) as the description.
void RenameLibraryFolder(QTreeWidget *tree, const QString &section, int index,
                         LibraryRecords &records);

// The choosers' "Create Directory" button: the folder dialog offers `baseFolder`; when it ends
// with OK the new folder is added.
void LibraryCreateClick(QWidget *owner, QTreeWidget *tree, const QString &section,
                        const QString &baseFolder, LibraryRecords &records);

// The choosers' "Del Directory" button: after a Yes to "Do you really need to delete this
// Directory", the selected entry is removed. Nothing happens without a selected entry.
void LibraryDeleteClick(QWidget *owner, QTreeWidget *tree, const QString &section,
                        LibraryRecords &records);

// The choosers' "Rename Directory" button: the selected entry takes its node's caption.
void LibraryRenameClick(QTreeWidget *tree, const QString &section, LibraryRecords &records);

// The page control on the left of the choosers, whose windows inherit its parts: the library
// page, with the create, delete and rename buttons over the library tree, and the file-system
// page with the folder tree.
struct LibraryPages
{
    explicit LibraryPages(QWidget *parent);

    // The buttons' hints.
    void SetHints();
    // Places the page control; the trees fill their pages below the buttons.
    void Place(const QRect &geometry);
    // Selects the file-system tree's first node ("Computer", no path), without expanding it.
    void SelectFirstFolderNode();

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QToolButton *BtnCreate;
    QToolButton *BtnDelete;
    QToolButton *BtnRename;
    QTreeWidget *TreeView1;         // the material library
    TlyFolderTree *ShellTreeView1;  // the file system
};

} // namespace ly
