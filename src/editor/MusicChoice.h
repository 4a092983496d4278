#pragma once

#include <QList>
#include <QString>

#include <array>
#include <functional>

// The music chooser's work without its window: which files of a folder it lists, how its
// columns sort, and what "&Open" does with a checked file.
namespace ly {

// One row of the chooser's list.
struct MusicFileRow
{
    QString name;     // the file name as found
    QString sizeText; // SizeText of the file; empty when the file cannot be read
    QString type;     // the extension as found, with its dot (".WMA")

    bool operator==(const MusicFileRow &) const = default;
};

// The files of a folder (hidden and system files included, subfolders left out) in the
// order the file system gives them, whose extension in lower case is ".mid", ".wav", ".mp3"
// or ".wma". A folder that cannot be read lists nothing.
QList<MusicFileRow> ListMusicFolder(const QString &folder);

// The extension of a name from its last ".", with the dot; empty without one.
QString FileExtension(const QString &name);

enum class MusicColumn { Name = 0, Size = 1, Type = 2 };

// The columns' order: names without regard to case, the size and type texts character by
// character (so "10KB" comes before "9KB"). A strict ordering: equal texts are not before
// each other, and a stable sort keeps their order.
bool MusicRowBefore(MusicColumn column, const MusicFileRow &a, const MusicFileRow &b);

// Sorts stably by the column; descending reverses the order of unequal rows only.
void SortMusicRows(QList<MusicFileRow> &rows, MusicColumn column, bool descending);

// The column headers' direction marks and the last sorted column. A click on another column
// clears that one's mark and sorts ascending (mark 1); a click on the last sorted column sorts
// descending (mark 0) unless its mark is 0, then ascending (mark 1). The first column starts
// as the last sorted one without a mark, so its first click sorts descending.
class MusicSortState
{
public:
    static constexpr int kDescendingMark = 0;
    static constexpr int kAscendingMark = 1;
    static constexpr int kNoMark = -1;

    // A header click: true when the column is to be sorted descending.
    bool Click(int column);
    int Mark(int column) const { return column >= 0 && column < 3 ? m_marks[size_t(column)] : kNoMark; }
    int LastColumn() const { return m_last; }

private:
    std::array<int, 3> m_marks{kNoMark, kNoMark, kNoMark};
    int m_last = 0;
};

// What "&Open" does with one checked file.
struct TakenMusic
{
    enum Outcome { Take, Skip, Fail };
    Outcome outcome = Fail;
    QString path;  // Take: the file to list
    QString error; // Fail: why, naming the file
};

// A file whose storable name (SanitizedFileName) `isListed` already lists is skipped before
// anything is copied. A file whose name is storable is taken as it is (the project's save
// copies it). Otherwise the user's file stays as it is and a copy under the storable name goes
// into `musicFolder` (the project's "Music"); a file of that name there is taken when it holds
// the same bytes and never replaced when it holds others.
TakenMusic TakeMusicFile(const QString &file, const QString &musicFolder,
                         const std::function<bool(const QString &fileName)> &isListed);

} // namespace ly
