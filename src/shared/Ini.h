#pragma once

#include <QString>
#include <QStringList>

// INI files with the semantics of the system's profile-file functions: section and key names
// compare without regard to case; a value is the text after the first "=", trimmed, at most
// 2047 characters; writing replaces a key where it stands, appends a new key at the end of its
// section and a new section at the end of the file, and creates a missing file; ";" lines are
// comments and every line we do not change is kept byte for byte. Every call opens the file,
// does one thing and closes it. Writes go to a temporary file that then replaces the original,
// so a crash or a full disk never leaves half a file.
namespace ly::ini {

inline constexpr int kMaxValueLength = 2047;

QString read(const QString &file, const QString &section, const QString &key,
             const QString &defaultValue = QString());
// Throws ly::Error "Unable to write to <file>" when the value cannot be written.
void write(const QString &file, const QString &section, const QString &key,
           const QString &value);
// Erases the whole section (its header up to the next section, every occurrence) when the
// file has it.
void eraseSection(const QString &file, const QString &section);

bool hasSection(const QString &file, const QString &section);
// The section names, and the key names of one section, in file order (first occurrence).
QStringList sections(const QString &file);
QStringList keys(const QString &file, const QString &section);

} // namespace ly::ini
