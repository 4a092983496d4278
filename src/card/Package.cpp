#include "card/Package.h"

#include "card/StagedFile.h"
#include "shared/CodePage.h"

#include <QFile>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>

namespace ly {

namespace {

constexpr qint64 kChunk = 256 * 1024;

QString openError(const QString &file, const QFileDevice &f)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(file, f.errorString());
}

} // namespace

namespace package {

int zlibLevel(int levelIndex)
{
    static constexpr int levels[] = {Z_NO_COMPRESSION, Z_BEST_SPEED, Z_DEFAULT_COMPRESSION,
                                     Z_BEST_COMPRESSION};
    if (levelIndex < 0 || levelIndex > 3)
        throw Error(QStringLiteral("Invalid compression level %1").arg(levelIndex));
    return levels[levelIndex];
}

QByteArray compressMember(const QByteArray &data, int zlibLevel)
{
    // compress2 is deflateInit (deflate, 15-bit window, zlib wrapper, memory level 8, default
    // strategy) at the given level, then one deflate to the end.
    uLongf streamSize = compressBound(uLong(data.size()));
    QByteArray member(8 + qsizetype(streamSize), Qt::Uninitialized);
    qToLittleEndian<qint64>(data.size(), member.data());
    const int rc = compress2(reinterpret_cast<Bytef *>(member.data() + 8), &streamSize,
                             reinterpret_cast<const Bytef *>(data.constData()),
                             uLong(data.size()), zlibLevel);
    if (rc != Z_OK)
        throw Error(QStringLiteral("Compression failed (zlib error %1)").arg(rc));
    member.truncate(8 + qsizetype(streamSize));
    return member;
}

QByteArray compressFileToMember(const QString &path, int zlibLevel)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(openError(path, f));
    if (f.size() >= kPackageSizeLimit)
        throw Error(QStringLiteral("The file \"%1\" is too large for a package").arg(path));
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Cannot read file \"%1\". %2").arg(path, f.errorString()));
    QByteArray member = compressMember(data, zlibLevel);
    if (member.size() >= kPackageSizeLimit)
        throw Error(QStringLiteral("The file \"%1\" is too large for a package").arg(path));
    return member;
}

void inflateMember(QIODevice &in, qint64 memberSize, QIODevice &out)
{
    char head[8];
    if (memberSize < 8 || in.read(head, 8) != 8)
        throw Error(QStringLiteral("The member is shorter than its length field"));
    const qint64 declared = qFromLittleEndian<qint64>(head);
    if (declared < 0)
        throw Error(QStringLiteral("The member declares a negative length"));

    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw Error(QStringLiteral("Cannot start decompression"));
    struct End
    {
        z_stream *zs;
        ~End() { inflateEnd(zs); }
    } end{&zs};

    qint64 inputLeft = memberSize - 8;
    QByteArray input(qsizetype(std::min(inputLeft, kChunk)), Qt::Uninitialized);
    QByteArray output(kChunk, Qt::Uninitialized);
    qint64 produced = 0;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        if (zs.avail_in == 0) {
            const qint64 n = inputLeft > 0 ? in.read(input.data(), std::min(inputLeft, kChunk)) : 0;
            if (n <= 0)
                throw Error(QStringLiteral("The member's stream is cut short"));
            inputLeft -= n;
            zs.next_in = reinterpret_cast<Bytef *>(input.data());
            zs.avail_in = uInt(n);
        }
        zs.next_out = reinterpret_cast<Bytef *>(output.data());
        zs.avail_out = uInt(output.size());
        rc = inflate(&zs, Z_NO_FLUSH);
        // Z_BUF_ERROR only means "needs more input" while the input is used up.
        if (rc != Z_OK && rc != Z_STREAM_END && !(rc == Z_BUF_ERROR && zs.avail_in == 0))
            throw Error(QStringLiteral("The member's stream is corrupt (zlib error %1)").arg(rc));
        const qint64 have = output.size() - qint64(zs.avail_out);
        produced += have;
        if (produced > declared)
            throw Error(QStringLiteral("The member inflates to more than its declared length"));
        if (have > 0 && out.write(output.constData(), have) != have)
            throw Error(QStringLiteral("Cannot write the unpacked file. %1").arg(out.errorString()));
    }
    if (produced != declared)
        throw Error(QStringLiteral("The member inflates to less than its declared length"));
    // Bytes after the stream's end belong to no file: the member is not what it claims to be.
    if (zs.avail_in > 0 || inputLeft > 0)
        throw Error(QStringLiteral("The member's stream ends before the member does"));
}

bool isStorableName(const QString &fileName)
{
    if (fileName.contains(QLatin1Char('#')) || fileName.contains(QLatin1Char('\r'))
        || fileName.contains(QLatin1Char('\n')))
        return false;
    return codepage::toUnicode(codepage::fromUnicode(fileName)) == fileName;
}

bool isBareFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && std::none_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20; });
}

qint64 decimalValue(const QString &text)
{
    const bool digits = !text.isEmpty() && text.size() <= 18
                        && std::all_of(text.begin(), text.end(), [](QChar c) {
                               return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                           });
    return digits ? text.toLongLong() : -1;
}

QByteArray indexLine(const QString &fileName, qint64 memberSize)
{
    const QString text = QStringLiteral("FileName=") + fileName + QStringLiteral(".tmp#FileSize=");
    return codepage::fromUnicode(text)
           + QByteArray::number(memberSize) + "\r\n";
}

Index readIndex(QFile &file)
{
    return readIndex(file, 0, file.size());
}

Index readIndex(QFile &file, qint64 start, qint64 end)
{
    const PackageError failed(PackageError::ErrorNotice, kUnpackFailedText);
    Index index;
    index.start = start;
    index.fileSize = end;
    uchar trailer[4];
    if (start < 0 || end - start < 4 || end > file.size() || !file.seek(end - 4)
        || file.read(reinterpret_cast<char *>(trailer), 4) != 4)
        throw failed;
    const qint64 length = qFromLittleEndian<quint32>(trailer);
    if (length == 0)
        throw PackageError(PackageError::ErrorNotice, kZeroTrailerText);
    if (length < 4 || length > end - start)
        throw failed;
    index.indexStart = end - length;
    if (!file.seek(index.indexStart))
        throw failed;
    const QByteArray text = file.read(length - 4);
    if (text.size() != length - 4)
        throw failed;
    index.lines = splitLines(codepage::toUnicode(text));
    return index;
}

Index readIndex(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw PackageError(PackageError::WarningNotice, kPackageMissingText);
    if (!file.open(QIODevice::ReadOnly))
        throw PackageError(PackageError::ErrorNotice, kUnpackFailedText);
    return readIndex(file);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QString itemValue(const QString &line, QStringView key)
{
    for (QStringView item : QStringView(line).split(QLatin1Char('#'))) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq >= 0 && item.left(eq).compare(key, Qt::CaseInsensitive) == 0)
            return item.mid(eq + 1).toString();
    }
    return QString();
}

QString memberFileName(const QString &line)
{
    const QString name = itemValue(line, u"FileName");
    const QString file = name.size() > 4 ? name.chopped(4) : QString();
    if (!isBareFileName(file))
        throw Error(QStringLiteral("Invalid member name \"%1\"").arg(name));
    return file;
}

qint64 memberSize(const QString &line)
{
    const QString text = itemValue(line, u"FileSize");
    const qint64 size = decimalValue(text);
    if (size < 0)
        throw Error(QStringLiteral("Invalid member size \"%1\"").arg(text));
    return size;
}

} // namespace package

void CompressFile(const QString &source, const QString &target, int levelIndex)
{
    const QByteArray member = package::compressFileToMember(source, package::zlibLevel(levelIndex));
    StagedFile out(target);
    out.open();
    out.writeAll(member);
    out.commit();
}

void DecompressFile(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw Error(openError(source, in));
    StagedFile out(target);
    out.open();
    package::inflateMember(in, in.size(), out);
    out.commit();
}

bool AppendFile(const QString &source, const QString &target)
{
    QFile in(source);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly)
        || !out.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    const qint64 start = out.size();
    try {
        qint64 left = in.size();
        QByteArray buffer(qsizetype(std::min(left, 4 * kChunk)), Qt::Uninitialized);
        bool ok = out.seek(start);
        while (ok && left > 0) {
            const qint64 n = in.read(buffer.data(), std::min<qint64>(left, buffer.size()));
            ok = n > 0 && out.write(buffer.constData(), n) == n;
            left -= n;
        }
        if (ok && out.flush())
            return true;
    } catch (...) {
    }
    out.resize(start);
    return false;
}

} // namespace ly
