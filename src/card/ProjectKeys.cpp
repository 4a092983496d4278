#include "card/ProjectKeys.h"

#include "shared/Ini.h"

#include <algorithm>
#include <limits>

namespace ly {

ProjectKeys::ProjectKeys(const QString &projectFile, const QString &section)
{
    m_exists = ini::hasSection(projectFile, section);
    if (!m_exists)
        return;
    for (const QString &key : ini::keys(projectFile, section))
        m_values.insert(key.toLower(), ini::read(projectFile, section, key));
}

QString ProjectKeys::value(const QString &key) const
{
    return m_values.value(key.toLower());
}

bool ProjectKeys::flag(const QString &key) const
{
    return value(key) == QLatin1String("1");
}

int ProjectKeys::integer(const QString &key, int defaultValue, int min, int max) const
{
    bool ok = false;
    const qlonglong v = value(key).toLongLong(&ok);
    return ok && v >= min && v <= max ? int(v) : defaultValue;
}

TColor ProjectKeys::color(const QString &key, TColor defaultValue) const
{
    const std::optional<TColor> c = TryStringToColor(value(key));
    return c && *c <= 0x00FFFFFF ? *c : defaultValue;
}

int ProjectKeys::count(const QString &countKey, const QString &itemPrefix) const
{
    const QString prefix = itemPrefix.toLower();
    int present = 0;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        present += it.key().startsWith(prefix) ? 1 : 0;
    return std::min(integer(countKey, 0, 0, std::numeric_limits<int>::max()), present);
}

void SectionWriter::put(const QString &key, const QString &value) const
{
    ini::write(m_file, m_section, key, value);
}

void SectionWriter::flag(const QString &key, bool on) const
{
    put(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace ly
