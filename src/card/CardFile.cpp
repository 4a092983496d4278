#include "card/CardFile.h"

#include "card/Package.h"
#include "card/StagedFile.h"
#include "shared/CodePage.h"
#include "shared/Error.h"
#include "shared/Paths.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

namespace ly::card {

QString entryLine(const QString &id, const QString &fileName, qint64 size)
{
    return QStringLiteral("Id=") + id + QStringLiteral("#FileName=") + fileName
           + QStringLiteral("#Size=") + QString::number(size);
}

QByteArray tableAndTrailer(const QStringList &lines)
{
    QByteArray table;
    for (const QString &line : lines)
        table += codepage::fromUnicode(line) + "\r\n";
    QByteArray trailer(4, Qt::Uninitialized);
    qToLittleEndian<quint32>(quint32(table.size() + 4), trailer.data());
    return table + trailer;
}

namespace {

QList<Entry> entriesOf(QFile &file)
{
    const package::Index index = package::readIndex(file);
    QList<Entry> entries(index.lines.size());
    qint64 end = index.indexStart;
    // Each entry ends where the next begins; the last one where the table begins.
    for (qsizetype k = index.lines.size() - 1; k >= 0; --k) {
        const QString &line = index.lines.at(k);
        Entry &entry = entries[k];
        entry.id = package::itemValue(line, u"Id");
        entry.fileName = package::itemValue(line, u"FileName");
        entry.size = package::decimalValue(package::itemValue(line, u"Size"));
        if (!package::isBareFileName(entry.fileName))
            throw Error(QStringLiteral("Invalid entry name in \"%1\"").arg(line));
        if (entry.size < 0 || entry.size > end)
            throw Error(QStringLiteral("Invalid entry size in \"%1\"").arg(line));
        end -= entry.size;
        entry.offset = end;
    }
    return entries;
}

void openCard(QFile &file)
{
    if (!file.exists())
        throw Error(QStringLiteral("Cannot find the card \"%1\"").arg(file.fileName()));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open the card \"%1\". %2")
                        .arg(file.fileName(), file.errorString()));
}

} // namespace

QList<Entry> readEntries(const QString &card)
{
    QFile file(card);
    openCard(file);
    return entriesOf(file);
}

void extractCard(const QString &card, const QString &destination)
{
    QFile file(card);
    openCard(file);
    const QList<Entry> entries = entriesOf(file);
    EnsureDir(destination);
    constexpr qint64 kChunk = 1024 * 1024;
    QByteArray buffer;
    for (const Entry &entry : entries) {
        StagedFile out(AddTrailingBackslash(destination) + entry.fileName);
        out.open();
        if (!file.seek(entry.offset))
            throw Error(QStringLiteral("Cannot read the card \"%1\"").arg(card));
        for (qint64 left = entry.size; left > 0;) {
            buffer.resize(qsizetype(std::min(left, kChunk)));
            if (file.read(buffer.data(), buffer.size()) != buffer.size())
                throw Error(QStringLiteral("Cannot read the card \"%1\"").arg(card));
            out.writeAll(buffer);
            left -= buffer.size();
        }
        out.commit();
    }
}

} // namespace ly::card
