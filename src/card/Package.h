#pragma once

#include "shared/Error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QFile;
class QIODevice;

// The resource package: every file of one folder as a member (the file's length as 8 bytes,
// signed little-endian, then the file as one zlib stream), followed by the index text (one
// line "FileName=" + name + ".tmp#FileSize=" + member size per member, CR LF) and a 4-byte
// little-endian trailer holding the index length + 4. The card program uses the same trailer
// and index layout with other keys, so the index reading here serves both.
namespace ly {

// The player handles sizes and offsets as 32-bit signed values: a member, an index and a
// package each stay below 2 GiB.
inline constexpr qint64 kPackageSizeLimit = qint64(1) << 31;

// The texts of the unpack failures.
inline const QString kPackageMissingText = QStringLiteral("Did not find out this material document.");
inline const QString kZeroTrailerText =
    QStringLiteral("The procedure carried out the illegal operation, will soon close.");
inline const QString kUnpackFailedText = QStringLiteral(
    "Execuse me, the procedure want for document, may read to put to have the mistake.");

// A failure that the editor reports with a notice of the given kind (1 error, 2 warning, as
// ShowNotice takes them).
class PackageError : public Error
{
public:
    enum Kind { ErrorNotice = 1, WarningNotice = 2 };
    PackageError(Kind kind, const QString &text) : Error(text), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// Writes target as one member holding the whole source file, replacing target. The level
// index 0..3 stands for the zlib levels 0, 1, default and 9. Throws ly::Error.
void CompressFile(const QString &source, const QString &target, int levelIndex);
// Writes target (replacing it) from the member in source. Throws ly::Error when the stream is
// corrupt or does not give exactly the length the member declares; target is then untouched.
void DecompressFile(const QString &source, const QString &target);
// Copies the whole source onto the end of target, which must exist. False on any failure,
// after which target has its former length again. Never throws.
bool AppendFile(const QString &source, const QString &target);

namespace package {

// The zlib level of a level index (0..3); throws ly::Error for any other index.
int zlibLevel(int levelIndex);
// The member of a file's bytes. Throws ly::Error when zlib fails.
QByteArray compressMember(const QByteArray &data, int zlibLevel);
// Reads the file whole and makes its member; throws ly::Error when it cannot be read or is
// too large for a package.
QByteArray compressFileToMember(const QString &path, int zlibLevel);
// Inflates the member of memberSize bytes that `in` is positioned at into `out`, in pieces,
// so a lying length field never decides what is allocated. Throws ly::Error when the member
// is short, the stream corrupt, or it inflates to more or fewer bytes than declared.
void inflateMember(QIODevice &in, qint64 memberSize, QIODevice &out);

// A file name as the index stores it: only names without "#", CR and LF that the code page
// represents come back unchanged.
bool isStorableName(const QString &fileName);
// A name that stays inside the folder it is written to: not empty, not "." or "..", without
// "/", "\" and control characters. Unpacking and card extraction take no other names.
bool isBareFileName(const QString &name);
// The value of a text of 1 to 18 decimal digits and nothing else (as sizes are written);
// -1 for any other text.
qint64 decimalValue(const QString &text);
// "FileName=" + fileName + ".tmp#FileSize=" + memberSize + CR LF, in the code page.
QByteArray indexLine(const QString &fileName, qint64 memberSize);

// The index of a package or card program file.
struct Index
{
    qint64 start = 0;    // where the package begins in its file
    qint64 fileSize = 0; // where it ends
    qint64 indexStart = 0; // where the index text begins; members end here
    QStringList lines;
};
// Reads the trailer and the index text of an open file. Throws PackageError: the "will soon
// close" error for a zero trailer, the unpack failure for anything else that does not fit.
Index readIndex(QFile &file);
// The same for a package that lies in the bytes [start, end) of a larger file (a card).
Index readIndex(QFile &file, qint64 start, qint64 end);
// The same for a file by name; a missing file is the "did not find" warning.
Index readIndex(const QString &path);
// The file name of a member's index line, without the ".tmp" the packer added; throws
// ly::Error unless that leaves a bare file name.
QString memberFileName(const QString &line);
// The member size of an index line; throws ly::Error unless it is a decimal number.
qint64 memberSize(const QString &line);
// Lines ended by CR LF, CR or LF; a final line break does not start another line.
QStringList splitLines(const QString &text);
// The value of key in a line of "#"-joined Name=Value items (key compared without case);
// a null string when the line has no such item.
QString itemValue(const QString &line, QStringView key);

} // namespace package

} // namespace ly
