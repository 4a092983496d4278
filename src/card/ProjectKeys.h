#pragma once

#include "shared/FontColor.h"

#include <QHash>
#include <QString>

// One section of a project file read once, with the checked readings the section models share:
// a project file may come from a stranger, so numbers outside their range and counts beyond
// the keys that are there never reach the player.
namespace ly {

class ProjectKeys
{
public:
    ProjectKeys(const QString &projectFile, const QString &section);

    bool exists() const { return m_exists; }
    // The value as the INI layer reads it; empty when absent.
    QString value(const QString &key) const;
    // "1" exactly.
    bool flag(const QString &key) const;
    // A decimal integer within [min, max]; the default for an absent key, another text or a
    // value out of range.
    int integer(const QString &key, int defaultValue, int min, int max) const;
    // A plain colour (a standard name or "$"/decimal value below the system colours); the
    // default for anything else.
    TColor color(const QString &key, TColor defaultValue) const;
    // The item count of a list: the integer of countKey, at most the number of keys whose
    // names begin with itemPrefix.
    int count(const QString &countKey, const QString &itemPrefix) const;

private:
    QHash<QString, QString> m_values; // by lower-case key name
    bool m_exists = false;
};

// Writes the keys of one section of a project file, one at a time; flags as "1" or "0".
// Throws ly::Error when the file cannot be written.
class SectionWriter
{
public:
    SectionWriter(const QString &projectFile, const QString &section)
        : m_file(projectFile), m_section(section) {}
    void put(const QString &key, const QString &value) const;
    void flag(const QString &key, bool on) const;

private:
    QString m_file;
    QString m_section;
};

} // namespace ly
