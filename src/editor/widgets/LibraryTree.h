#pragma once

#include "editor/Library.h"

class QTreeWidget;
class QWidget;

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

} // namespace ly
