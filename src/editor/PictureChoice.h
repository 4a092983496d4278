#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// What the picture choosers do with a picked file. The editor never renames or changes a user's
// own file: where a name must change to be storable (SanitizedFileName), a copy takes the new
// name, except for pictures of the program's own libraries, which are renamed in place.
namespace ly {

struct ChosenPicture
{
    QString path;  // the picture to use; empty on failure
    QString error; // why it failed, naming the file

    bool ok() const { return !path.isEmpty(); }
};

// The one-picture chooser's pick. A file whose name is storable is returned as it is. Otherwise
// a file inside one of `libraryFolders` that lie in the program folder is renamed there
// (SanitizeFileName); any other file, or one whose rename failed, is copied under the storable
// name into a new folder of its own below TempDir().
ChosenPicture TakeOnePicture(const QString &file, const QStringList &libraryFolders);

// The multi-picture chooser's add: the file is copied into `targetFolder` under its storable
// name. The copy is left out when the target already holds those bytes (the same picture added
// again), when the file is the target itself, and when the target holds another picture that
// `isListed` (the album) already lists under that name; in that case it keeps that picture.
// Another file of that name that nothing lists is replaced.
ChosenPicture AddPictureToFolder(const QString &file, const QString &targetFolder,
                                 const std::function<bool(const QString &fileName)> &isListed = {});

} // namespace ly
