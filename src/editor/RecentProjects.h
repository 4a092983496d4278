#pragma once

#include <QString>
#include <QStringList>

// The recent projects in config.ini [Finished]: the count key Number and the keys Item0,
// Item1, ... holding project file paths, newest first.
namespace ly {

// The projects the "Reopet Project" submenu lists: Item0 to Item(Number - 1), empty values
// skipped, program-relative values expanded. Nothing when Number is empty.
QStringList RecentProjectFiles();

// A filled entry of the list: its position (the n of "Item" + n) and its value as stored.
struct RecentProjectEntry
{
    int item = 0;
    QString stored;
};
// The filled entries among Item0 to Item(Number - 1), in order. Nothing when Number is empty.
QList<RecentProjectEntry> RecentProjectEntries();

// Save puts the project at the top of the list: nothing when Number is empty or when the
// project is already listed among the filled entries in front of the first empty one (same
// path, same case). Otherwise those entries move down by one and the project becomes Item0;
// with a full list the oldest entry moves to Item + Number, beyond the listed range.
void AddRecentProjectFile(const QString &projectFile);

} // namespace ly
