#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The card program file: what the builder writes and the card player reads behind its own
// bytes. From the first byte to the last:
//
//   stub      an exact copy of the player stub, Cardstub.dll
//   entries   the data of each entry, in table order, back to back, no gaps or alignment
//   table     one line per entry, each ended by CR LF, in the system code page:
//             "Id=" + kind + "#FileName=" + bare file name + "#Size=" + byte count (decimal)
//   trailer   4 bytes, unsigned 32-bit little-endian: byte length of the table + 4
//
// Kinds in the order the builder writes them (each only when the project has it):
//   BlkTmp   the background animation package, copied from the project's BlkTmp folder
//            unchanged; FileName is its package name
//   Music, Picture, Res, Flash, PicBox
//            the resource package (Package.h) of that project folder; FileName "Music.Tmp",
//            "Picture.Tmp", "Res.Tmp", "Flash.Tmp", "PicBox.Tmp"
//   Movie    one entry per movie, the movie file as it is; FileName its bare name
//   zpj      the project file as it is, always the last entry; FileName its bare name
//
// A reader takes the table length from the trailer and finds the entries from the end: the
// last entry ends where the table begins, each earlier one where the next begins. Whatever
// lies before the first entry is the stub. Entries, the table and the whole card stay below
// 2 GiB, as the player handles sizes as 32-bit signed values.
namespace ly::card {

struct Entry
{
    QString id;
    QString fileName;
    qint64 offset = 0; // from the start of the card file
    qint64 size = 0;
};

// "Id=" + id + "#FileName=" + fileName + "#Size=" + size.
QString entryLine(const QString &id, const QString &fileName, qint64 size);
// What follows the entries: the lines in the code page, each ended by CR LF, then the trailer.
QByteArray tableAndTrailer(const QStringList &lines);

// The entries of a card program, in table order. Throws ly::PackageError for a trailer or
// table that does not fit the file (as for packages), ly::Error for an entry line without a
// bare file name or a decimal size, or for entries that overrun the space before the table.
QList<Entry> readEntries(const QString &card);
// Writes each entry's data into destination (created, one level) under its FileName,
// replacing a file of that name; a later entry of the same name wins. Each file is written
// whole or not at all. Throws like readEntries, and ly::Error when a file cannot be written;
// files written before a failure stay.
void extractCard(const QString &card, const QString &destination);

} // namespace ly::card
