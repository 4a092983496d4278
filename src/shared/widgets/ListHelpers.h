#pragma once

#include <QIcon>
#include <QList>
#include <QString>

class QAbstractItemView;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// Helpers for the report-style lists of the windows (a QTreeWidget or any item view over a
// flat model: caption in column 0, sub-items in the other columns, the row's icon in
// column 0) and their image lists.
namespace ly {

using ImageList = QList<QIcon>;

enum IconSize { SmallIcon = 0, LargeIcon = 1 };

// Appends the desktop's icon for the file type of the name (the file need not exist:
// "c:\aaa.swf" serves for ".swf"), 16 pixels for SmallIcon, 32 for LargeIcon.
void AddFileTypeIcon(const QString &name, ImageList &imageList, int size);

// Exchanges the texts and data of rows a and b in every column, then gives row a the first
// icon and row b the second.
void SwapListRows(QAbstractItemView *view, int rowA, int rowB, const QIcon &iconA,
                  const QIcon &iconB);

// Moves the selected row one place up; on the first row or without a selection only the
// buttons change (up disabled, down enabled). Nothing for an empty list.
void MoveListItemUp(QAbstractItemView *view, QWidget *upButton, QWidget *downButton);
// Moves the selected row one place down; on the last row only the buttons change (up
// enabled, down disabled). Nothing for an empty list or without a selection.
void MoveListItemDown(QAbstractItemView *view, QWidget *upButton, QWidget *downButton);

// Deletes the row and selects the one above it (the new first row when it was the first)
// without the list's signals; returns that row, or nullptr when the list is now empty.
QTreeWidgetItem *RemoveRowSelectingNeighbour(QTreeWidget *list, QTreeWidgetItem *row);

} // namespace ly
