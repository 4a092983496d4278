#pragma once

#include <QString>

// File chores the windows share: safe names for media files, whole-tree deletion and
// file copies that never leave half a file behind.
namespace ly {

// A file name the project file, the package index and the card's entry table can hold: every
// " ", "[", "]" and "#" ("#" separates their fields), every other white space and control
// character (CR and LF end their lines), every "\" (their path separator) and every character
// the code page cannot represent becomes "_".
QString SanitizedFileName(const QString &name);

// In the file-name part of the path the name becomes SanitizedFileName(name). When that changed
// the name, the file is renamed on disk; when another file already has the new name, the first
// free name "name_1.ext", "name_2.ext", ... is taken instead. The new path is returned whether
// or not the rename succeeded. An empty path gives an empty result. Only for the program's own
// files: the choosers copy a user's file under the new name instead (PictureChoice.h).
QString SanitizeFileName(const QString &path);

// Deletes the folder with all its content, silently. False when the folder does not exist
// (an empty path and the file-system root count as not existing); true when the folder is
// gone afterwards. Links inside the folder are removed, never followed.
bool DeleteFolderTree(const QString &folder);

// Copies the file over the target, replacing it as a whole: the bytes go to a temporary
// file beside the target that then takes its name. False when the copy failed; the target
// is then unchanged.
bool CopyFileReplacing(const QString &from, const QString &to);
// Whether both files can be read and hold the same bytes.
bool SameFileContent(const QString &a, const QString &b);
// Copies the file to the target unless the target already exists. False when nothing was
// copied.
bool CopyFileIfAbsent(const QString &from, const QString &to);

} // namespace ly
