#pragma once

#include "card/FrmMovieSection.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>

// The movie editor's work without its window: the row icons, the copy of an added movie into
// the project's Movie folder and the save step.
namespace ly {

// The movie types, in the order of the row icons: ".asf" 0, ".wm" 1, ".avi" 2, ".wmv" 3,
// ".mpeg" 4, ".mpg" 5.
inline constexpr std::array<const char *, 6> kMovieExtensions = {"asf", "wm", "avi", "wmv", "mpeg", "mpg"};
// The icon of a row by its lower-case extension; 0 for any other.
int MovieIconIndex(const QString &fileName);

// An added movie goes into the project's Movie folder under its storable name, so the user's
// own file is never renamed. A file of that name there that the list does not hold is a stale
// copy of a removed movie and is replaced; one the list still holds is kept. The path of the
// movie in the folder, or an empty path when the copy failed.
QString AddMovieToFolder(const QString &file, const QString &movieFolder,
                         const std::function<bool(const QString &fileName)> &isListed);

// One row of the list: the file's folder and bare name, and its pixel text.
struct MovieRow
{
    QString folder;
    QString name;
    QString pixels;
};

// The save step: creates the project's Movie folder, copies each movie that lies elsewhere
// into it unless a file of that name is there (failures are not reported) and writes
// [FrmMovie]. Throws ly::Error when the project file cannot be written.
void SaveMovies(const QList<MovieRow> &rows, FrmMovieSection section, const QString &projectFolder,
                const QString &projectFile);

} // namespace ly
