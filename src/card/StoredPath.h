#pragma once

#include <QString>

// The stored paths of a project file in the one form its editors write them: a media folder
// of the project between backslashes, then a bare file name ("\Music\song.mp3"), or the frame
// folder alone ("\PicBox"). A project file may come from a stranger, so nothing else is taken:
// no deeper folders, no "..", no absolute paths.
namespace ly::storedpath {

// The project's media folders, as they are named on disk below the project folder.
inline const QString kMusic = QStringLiteral("Music");
inline const QString kRes = QStringLiteral("Res");
inline const QString kPicture = QStringLiteral("Picture");
inline const QString kPicBox = QStringLiteral("PicBox");
inline const QString kMovie = QStringLiteral("Movie");

// "\" + folder + "\" + name.
QString make(const QString &folder, const QString &bareName);
// The bare name of a stored "\" + folder + "\" + name (the folder compared without regard to
// case, as the editors' file system did); an empty string for any other text.
QString bareName(const QString &stored, const QString &folder);
// The native path of that file below the project folder; empty when the stored text is not
// in that form.
QString toNative(const QString &stored, const QString &folder, const QString &projectFolder);
// "\PicBox" (any case), the one stored folder path.
bool isPicBoxFolder(const QString &stored);

} // namespace ly::storedpath
