#pragma once

#include <QList>
#include <QString>

// The material libraries: named folders of ready-made material, one config.ini section per
// kind. A section holds Number, the count of entries, and for entry i the folder "Path_<i>" and
// the description "Name_<i>". A folder that begins with "\" lies below the program folder.
// Every change is written to config.ini at once.
namespace ly {

// The library sections and the base folder offered for a new entry of each.
inline constexpr const char *kMusicLibrary = "DirMusicSet";
inline constexpr const char *kPictureLibrary = "DirPicSet";
inline constexpr const char *kFlashLibrary = "DirFlashSet";
inline constexpr const char *kSinglePictureLibrary = "DirBlkSet";
inline constexpr const char *kMusicBase = "\\Music\\";
inline constexpr const char *kPictureBase = "\\Picture\\";
inline constexpr const char *kFlashBase = "\\Flash\\";
inline constexpr const char *kSinglePictureBase = "\\blk\\";

// One entry, as the choosers keep it in memory. Folder and description are kept apart (not as
// one "DirStr=...;NameStr=..." text), so a ";" in either survives deleting and renaming.
struct LibraryRecord
{
    QString folder;      // as stored ("\Music\Love" or an absolute path)
    QString description;

    bool operator==(const LibraryRecord &) const = default;
};
using LibraryRecords = QList<LibraryRecord>;

// The entries of a section, in order; a missing section or Number is an empty library.
LibraryRecords ReadLibrary(const QString &section);

// Appends an entry to the records and the section and creates its folder (one level; a
// failure is not reported). Returns false, changing nothing, when the same folder with the same
// description is already there.
bool AddLibraryEntry(const QString &section, LibraryRecords &records, const LibraryRecord &entry);

// Removes entry `index`; the later entries move down one index. The keys of the former last
// index stay in the file beyond Number. The folder on disk is not touched. An index outside the
// records changes nothing.
void RemoveLibraryEntry(const QString &section, LibraryRecords &records, int index);

// Gives entry `index` a new description; only its "Name_" key is rewritten.
void RenameLibraryEntry(const QString &section, LibraryRecords &records, int index,
                        const QString &description);

// The native folder of entry `index` as config.ini holds it now.
QString LibraryFolder(const QString &section, int index);

// location + separator + name. A location in the stored form ("\Music\") is joined with "\",
// a native one with "/"; no separator is doubled. An empty location is the program folder.
QString JoinLibraryPath(const QString &location, const QString &name);

} // namespace ly
