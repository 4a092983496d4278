#include "editor/MovieFiles.h"

#include "editor/BackgroundMedia.h"
#include "editor/PictureChoice.h"
#include "shared/Paths.h"

#include <QFileInfo>

namespace ly {

int MovieIconIndex(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    for (size_t i = 0; i < kMovieExtensions.size(); ++i)
        if (ext == QLatin1String(kMovieExtensions[i]))
            return int(i);
    return 0;
}

QString AddMovieToFolder(const QString &file, const QString &movieFolder,
                         const std::function<bool(const QString &)> &isListed)
{
    // The picture chooser's add has the same rules for a storable name and a stale copy.
    return AddPictureToFolder(file, movieFolder, isListed).path;
}

void SaveMovies(const QList<MovieRow> &rows, FrmMovieSection section, const QString &projectFolder,
                const QString &projectFile)
{
    const QString movieFolder = AddTrailingBackslash(projectFolder) + QStringLiteral("Movie");
    EnsureDir(movieFolder);
    section.movies.clear();
    for (const MovieRow &row : rows) {
        CopyIntoFolder(AddTrailingBackslash(row.folder) + row.name, movieFolder);
        section.movies.append({row.name, row.pixels});
    }
    WriteFrmMovieSection(projectFile, section);
}

} // namespace ly
