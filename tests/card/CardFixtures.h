#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <gtest/gtest.h>

// A reader of card program files written here from the layout alone, independently of the
// builder's own reader: the trailer gives the table, the table's lines (each "Id=#FileName=
// #Size=" in that order, ended by CR LF) give the entries, found from the end backwards.
namespace cardtest {

struct Entry
{
    QByteArray id;
    QByteArray fileName;
    QByteArray data;
};

struct Card
{
    QByteArray front; // what lies before the first entry: the stub
    QList<Entry> entries;
    QList<QByteArray> lines;
};

// Parses a card; a layout fault is a test failure (check with ASSERT_NO_FATAL_FAILURE).
inline void parseCard(const QByteArray &bytes, Card &card)
{
    ASSERT_GE(bytes.size(), 4);
    const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + bytes.size() - 4);
    ASSERT_GE(length, 4u);
    ASSERT_LE(qsizetype(length), bytes.size());
    const qsizetype tableStart = bytes.size() - length;
    const QByteArray table = bytes.mid(tableStart, length - 4);
    ASSERT_TRUE(table.isEmpty() || table.endsWith("\r\n")) << table.toStdString();
    card.lines = table.split('\n');
    card.lines.removeLast();
    qsizetype end = tableStart;
    QList<Entry> backwards;
    for (qsizetype k = card.lines.size() - 1; k >= 0; --k) {
        QByteArray &line = card.lines[k];
        ASSERT_TRUE(line.endsWith('\r'));
        line.chop(1);
        const QList<QByteArray> items = line.split('#');
        ASSERT_EQ(items.size(), 3) << line.toStdString();
        ASSERT_TRUE(items[0].startsWith("Id=")) << line.toStdString();
        ASSERT_TRUE(items[1].startsWith("FileName=")) << line.toStdString();
        ASSERT_TRUE(items[2].startsWith("Size=")) << line.toStdString();
        bool ok = false;
        const qsizetype size = items[2].mid(5).toLongLong(&ok);
        ASSERT_TRUE(ok && size >= 0 && size <= end) << line.toStdString();
        end -= size;
        backwards.append({items[0].mid(3), items[1].mid(9), bytes.mid(end, size)});
    }
    card.entries = QList<Entry>(backwards.rbegin(), backwards.rend());
    card.front = bytes.left(end);
}

inline QList<QByteArray> idsOf(const Card &card)
{
    QList<QByteArray> ids;
    for (const Entry &e : card.entries)
        ids.append(e.id);
    return ids;
}

inline QList<QByteArray> namesOf(const Card &card)
{
    QList<QByteArray> names;
    for (const Entry &e : card.entries)
        names.append(e.fileName);
    return names;
}

} // namespace cardtest
