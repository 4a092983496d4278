#pragma once

#include <QString>

namespace ly {

// Associates the extension with the program. Nothing happens when the extension or the
// program is empty; an empty type name becomes the three characters after the extension's
// dot + "_auto_file". Writes the registry's default values under HKEY_CLASSES_ROOT
// (extension = type name; type name = description; type name\DefaultIcon = program + "," +
// icon index; type name\shell\open\command = program + " \"%1\"") and, for the desktop, a
// MIME type "application/x-<type name>" with the glob "*<extension>" and a desktop entry that
// opens such files with the program, both under $XDG_DATA_HOME. Files that already hold the
// same text are not written again. A store that cannot be written is logged, not raised, so
// that the program still starts.
void RegisterFileType(const QString &extension, QString typeName, const QString &description,
                      int iconIndex, const QString &program);

namespace platform {
// The files RegisterFileType writes for the desktop.
QString MimeTypeOf(const QString &typeName);
QString MimePackageFile(const QString &typeName);
QString DesktopEntryFile(const QString &typeName);
} // namespace platform

} // namespace ly
