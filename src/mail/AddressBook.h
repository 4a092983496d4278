#pragma once

#include <QByteArrayList>
#include <QList>
#include <QString>

// The address book "SendMail.Dat": one line per entry, "Name=" + name + "#Mail=" + address,
// each ending with CR LF, in the order the entries were added. Spaces in a stored name are
// written as "_", and every "_" reads back as a space.
namespace ly::mail {

struct AddressEntry
{
    QString name;
    QString mail;

    friend bool operator==(const AddressEntry &, const AddressEntry &) = default;
};

// The entries of the file in file order; none when the file does not exist.
QList<AddressEntry> LoadAddressBook(const QString &file);

// The address book as the address book window edits it: every change rewrites the whole file.
// Lines are kept byte for byte as they were read, so a change never alters other entries.
class AddressBook
{
public:
    explicit AddressBook(QString file);

    // (Re)reads the file; a missing file gives an empty book.
    void load();
    const QList<AddressEntry> &entries() const { return m_entries; }

    // Adds an entry from the typed name and address, each trimmed. Refused (false, nothing
    // changes) when either is empty, the address holds no "@", or a value holds "#" or a line
    // break, which the line format cannot carry. Throws ly::Error when the file cannot be written.
    bool add(const QString &name, const QString &mail);
    // Removes the entry at the index (file order); an index out of range changes nothing.
    void remove(qsizetype index);
    void clear();

private:
    // Writes the lines as the whole file, then takes the new state; a failed write (ly::Error)
    // leaves the book as it was.
    void replace(QList<AddressEntry> entries, QByteArrayList lines);

    QString m_file;
    QList<AddressEntry> m_entries;
    QByteArrayList m_lines; // the stored line of each entry
};

} // namespace ly::mail
