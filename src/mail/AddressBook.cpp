#include "mail/AddressBook.h"

#include "mail/MailFiles.h"
#include "shared/CodePage.h"

namespace ly::mail {

namespace {

AddressEntry parseLine(const QByteArray &line)
{
    const QString text = codepage::toUnicode(line);
    return {itemValue(text, QStringLiteral("Name")).replace(QLatin1Char('_'), QLatin1Char(' ')),
            itemValue(text, QStringLiteral("Mail"))};
}

bool storable(const QString &value)
{
    return !value.contains(QLatin1Char('#')) && !value.contains(QLatin1Char('\r'))
        && !value.contains(QLatin1Char('\n'));
}

} // namespace

QList<AddressEntry> LoadAddressBook(const QString &file)
{
    AddressBook book(file);
    book.load();
    return book.entries();
}

AddressBook::AddressBook(QString file) : m_file(std::move(file)) {}

void AddressBook::load()
{
    m_entries.clear();
    m_lines.clear();
    for (const QByteArray &line : readTextLines(m_file).value_or(QByteArrayList())) {
        if (line.trimmed().isEmpty())
            continue;
        m_entries.append(parseLine(line));
        m_lines.append(line);
    }
}

bool AddressBook::add(const QString &name, const QString &mail)
{
    const QString n = name.trimmed();
    const QString m = mail.trimmed();
    if (n.isEmpty() || m.isEmpty() || !m.contains(QLatin1Char('@')) || !storable(n)
        || !storable(m))
        return false;
    QString stored = n;
    stored.replace(QLatin1Char(' '), QLatin1Char('_'));
    QList<AddressEntry> entries = m_entries;
    QByteArrayList lines = m_lines;
    entries.append({n, m});
    const QString line = QStringLiteral("Name=") + stored + QStringLiteral("#Mail=") + m;
    lines.append(codepage::fromUnicode(line));
    replace(std::move(entries), std::move(lines));
    return true;
}

void AddressBook::remove(qsizetype index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    QList<AddressEntry> entries = m_entries;
    QByteArrayList lines = m_lines;
    entries.removeAt(index);
    lines.removeAt(index);
    replace(std::move(entries), std::move(lines));
}

void AddressBook::clear()
{
    replace({}, {});
}

void AddressBook::replace(QList<AddressEntry> entries, QByteArrayList lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    writeWholeFile(m_file, bytes);
    m_entries = std::move(entries);
    m_lines = std::move(lines);
}

} // namespace ly::mail
