#pragma once

#include <QString>

// Folders of the program and of the system, and the conversion between the stored forms of
// paths ("\Music\song.mp3" below the project or program folder) and native paths.
namespace ly {

// The folder of the running program, with a trailing separator.
QString ProgramDir();
// The per-user folder that holds our stand-ins for the system's profile files (win.ini,
// system.ini), without a trailing separator. Created on first use.
QString SystemDir();
// The per-user private temporary folder, with a trailing separator: $XDG_RUNTIME_DIR/lyrabell/
// when that is set, else ~/.cache/lyrabell/tmp/ (the cache folder of $XDG_CACHE_HOME), created
// with mode 0700 when missing. Throws ly::Error when the folder there is not a folder of ours
// with mode 0700 (another user could plant or block files in it).
QString TempDir();
// The same folder without the test override.
QString PrivateTempDir();

// Tests point the folders at a sandbox. An empty path restores the real folder.
void OverrideProgramDir(const QString &dir);
void OverrideSystemDir(const QString &dir);
void OverrideTempDir(const QString &dir);

// Creates the folder when it does not exist; one level only; failures are not reported.
void EnsureDir(const QString &folder);
// path + the native separator unless the path already ends with one.
QString AddTrailingBackslash(const QString &path);

// A stored path beginning with "\" is below the given base folder (the project folder for
// project files, ProgramDir() for config.ini); other stored paths are taken as they are,
// with "\" read as a separator.
QString StoredToNative(const QString &stored, const QString &baseFolder);
// The stored form of a native path: "\" + the path relative to the base folder, with "\"
// separators, when the path lies below the base folder; else the path unchanged.
QString NativeToStored(const QString &native, const QString &baseFolder);
// Shorthands for program-relative paths in config.ini.
QString ProgramPathToNative(const QString &stored);
QString NativeToProgramPath(const QString &native);

} // namespace ly
