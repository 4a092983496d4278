#pragma once

#include <QString>

// Our stand-in for the system registry: string values under keys of three roots, kept in the
// INI file RegistryFile() in the per-user system folder (one section per key, named root +
// "\" + key path; the default value of a key is stored under the name "@"). Key paths use "\"
// between levels; a leading or doubled "\" is ignored; names compare without regard to case,
// as in the registry.
namespace ly::platform {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

QString RegistryFile();

// The value, or the empty string when the key or value is missing. An empty value name
// means the key's default value.
QString ReadRegistryString(RegistryRoot root, const QString &key, const QString &valueName);
// Throws ly::Error when the value cannot be stored.
void WriteRegistryString(RegistryRoot root, const QString &key, const QString &valueName,
                         const QString &value);

} // namespace ly::platform
