#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

// Package bytes made here, straight from the layout and zlib's own compress, independently of
// the packer: members, index lines and trailer.
namespace packagetest {

inline QByteArray le64(qint64 v)
{
    QByteArray b(8, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray le32(quint32 v)
{
    QByteArray b(4, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray zlibStream(const QByteArray &data, int level = 9)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    EXPECT_EQ(compress2(reinterpret_cast<Bytef *>(out.data()), &size,
                        reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()),
                        level),
              Z_OK);
    out.truncate(qsizetype(size));
    return out;
}

inline QByteArray member(const QByteArray &data)
{
    return le64(data.size()) + zlibStream(data);
}

inline QByteArray indexLine(const QByteArray &name, qint64 memberSize)
{
    return "FileName=" + name + ".tmp#FileSize=" + QByteArray::number(memberSize) + "\r\n";
}

inline QByteArray withTrailer(const QByteArray &membersAndIndex, const QByteArray &index)
{
    return membersAndIndex + le32(quint32(index.size() + 4));
}

// A package of the given files, in order.
inline QByteArray packageOf(const QList<std::pair<QByteArray, QByteArray>> &files)
{
    QByteArray members;
    QByteArray index;
    for (const auto &[name, data] : files) {
        const QByteArray m = member(data);
        members += m;
        index += indexLine(name, m.size());
    }
    return withTrailer(members + index, index);
}

inline QByteArray randomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 rng(seed);
    QByteArray b(size, Qt::Uninitialized);
    for (char &c : b)
        c = char(rng());
    return b;
}

// Runs tests/fixtures/package.py (an independent writer and reader) with Debian's Python.
inline void runPackagePy(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            QStringList{QStringLiteral(LYRABELL_SOURCE_DIR "/tests/fixtures/package.py")} + args);
    ASSERT_TRUE(p.waitForFinished(60000)) << "package.py did not finish";
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

} // namespace packagetest
