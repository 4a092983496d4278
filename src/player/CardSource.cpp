#include "player/CardSource.h"

#include "card/CardFile.h"
#include "card/Package.h"
#include "card/StagedFile.h"
#include "shared/CodePage.h"
#include "shared/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QtEndian>

#include <algorithm>

namespace ly::player {

namespace {

constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kMaxProjectFileSize = 16 * kMiB;
constexpr qint64 kMaxPreviewListSize = 4096;

template <typename T>
T field(const QByteArray &bytes, qint64 offset)
{
    if (offset < 0 || offset + qint64(sizeof(T)) > bytes.size())
        return T(0);
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

// The folder a package kind unpacks into, below the project folder; empty for other kinds.
QString packageFolder(const QString &kind)
{
    for (const QString &folder : {QStringLiteral("Music"), QStringLiteral("Picture"),
                                  QStringLiteral("Res"), QStringLiteral("Flash"),
                                  QStringLiteral("PicBox")})
        if (kind == folder)
            return folder;
    return QString();
}

struct Member
{
    QString name;
    qint64 offset = 0;
    qint64 size = 0;
};

struct Planned
{
    card::Entry entry;
    QString target;          // folder below the project folder ("" for the project folder)
    bool package = false;
    QList<Member> members;   // of a package, in index order
};

[[noreturn]] void damaged(const QString &why)
{
    throw DamagedCardError(why);
}

// The members of the package entry, each checked to lie inside it; adds what they inflate
// to (the length each member declares) to total.
QList<Member> packageMembers(QFile &file, const card::Entry &entry, qint64 &total)
{
    QList<Member> members;
    try {
        const package::Index index =
            package::readIndex(file, entry.offset, entry.offset + entry.size);
        qint64 end = index.indexStart;
        members.resize(index.lines.size());
        for (qsizetype k = index.lines.size() - 1; k >= 0; --k) {
            Member &m = members[k];
            m.name = package::memberFileName(index.lines.at(k));
            m.size = package::memberSize(index.lines.at(k));
            if (m.size < 8 || m.size > end - entry.offset)
                throw Error(QStringLiteral("a member lies outside its package"));
            end -= m.size;
            m.offset = end;
            char length[8];
            if (!file.seek(m.offset) || file.read(length, 8) != 8)
                throw Error(QStringLiteral("a member cannot be read"));
            const qint64 declared = qFromLittleEndian<qint64>(length);
            if (declared < 0 || declared > kPackageSizeLimit)
                throw Error(QStringLiteral("a member declares an impossible size"));
            total += declared;
        }
    } catch (const Error &e) {
        damaged(QStringLiteral("the package \"%1\" is damaged: %2").arg(entry.fileName, e.text()));
    }
    return members;
}

void copyEntry(QFile &file, qint64 offset, qint64 size, const QString &target)
{
    StagedFile out(target);
    out.open();
    if (!file.seek(offset))
        throw Error(QStringLiteral("cannot read the card"));
    QByteArray buffer;
    for (qint64 left = size; left > 0;) {
        buffer.resize(qsizetype(std::min(left, kMiB)));
        if (file.read(buffer.data(), buffer.size()) != buffer.size())
            throw Error(QStringLiteral("cannot read the card"));
        out.writeAll(buffer);
        left -= buffer.size();
    }
    out.commit();
}

void inflateMembers(QFile &file, const QList<Member> &members, const QString &target)
{
    // In index order, so of two members of one name the later wins.
    for (const Member &m : members) {
        if (!file.seek(m.offset))
            throw Error(QStringLiteral("cannot read the package"));
        StagedFile out(target + m.name);
        out.open();
        package::inflateMember(file, m.size, out);
        out.commit();
    }
}

} // namespace

qint64 ElfImageSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(64);
    // 64-bit little-endian ELF, the programs this player is built as.
    if (header.size() < 64 || !header.startsWith("\x7f" "ELF") || header.at(4) != 2
        || header.at(5) != 1)
        return -1;
    const qint64 phoff = field<quint64>(header, 0x20);
    const qint64 shoff = field<quint64>(header, 0x28);
    const qint64 phentsize = field<quint16>(header, 0x36);
    const qint64 phnum = field<quint16>(header, 0x38);
    const qint64 shentsize = field<quint16>(header, 0x3A);
    const qint64 shnum = field<quint16>(header, 0x3C);
    const qint64 size = file.size();
    if (phoff < 0 || shoff < 0 || phoff > size || shoff > size)
        return -1;
    qint64 end = std::max<qint64>({64, phoff + phnum * phentsize, shoff + shnum * shentsize});
    if (end > size)
        return -1;
    if (!file.seek(phoff))
        return -1;
    const QByteArray programHeaders = file.read(phnum * phentsize);
    for (qint64 i = 0; i < phnum && phentsize >= 0x38; ++i) {
        const qint64 at = i * phentsize;
        end = std::max<qint64>(end, qint64(field<quint64>(programHeaders, at + 0x08))
                                        + qint64(field<quint64>(programHeaders, at + 0x20)));
    }
    if (!file.seek(shoff))
        return -1;
    const QByteArray sectionHeaders = file.read(shnum * shentsize);
    constexpr quint32 kNoBits = 8;
    for (qint64 i = 0; i < shnum && shentsize >= 0x40; ++i) {
        const qint64 at = i * shentsize;
        if (field<quint32>(sectionHeaders, at + 0x04) == kNoBits)
            continue;
        end = std::max<qint64>(end, qint64(field<quint64>(sectionHeaders, at + 0x18))
                                        + qint64(field<quint64>(sectionHeaders, at + 0x20)));
    }
    return end <= size ? end : -1;
}

qint64 UnpackLimit(qint64 cardSize, const QString &destination)
{
    qint64 limit = std::clamp<qint64>(cardSize * 16, 64 * kMiB, 4096 * kMiB);
    const QStorageInfo storage(destination);
    if (storage.isValid() && storage.bytesAvailable() >= 0)
        limit = std::min(limit, storage.bytesAvailable() - 64 * kMiB);
    return limit;
}

CardProject UnpackCard(const QString &program, const QString &folder,
                       std::function<void()> *deferredMusic)
{
    const qint64 image = ElfImageSize(program);
    QFile file(program);
    if (image < 0 || !file.open(QIODevice::ReadOnly))
        damaged(QStringLiteral("the program file cannot be read as a card"));
    if (file.size() == image)
        throw NoCardError(QStringLiteral("there is no card behind the player"));

    QList<card::Entry> entries;
    try {
        entries = card::readEntries(program);
    } catch (const Error &e) {
        damaged(QStringLiteral("its entry table is damaged (%1)").arg(e.text()));
    }
    if (entries.isEmpty() || entries.first().offset != image)
        damaged(QStringLiteral("its entries do not follow the player"));
    const card::Entry &last = entries.last();
    if (last.id != QLatin1String("zpj") || !last.fileName.endsWith(QLatin1String(".zpj"), Qt::CaseInsensitive)
        || last.size > kMaxProjectFileSize)
        damaged(QStringLiteral("its last entry is not a project file"));

    QList<Planned> plan;
    QStringList kindsSeen;
    qint64 total = 0;
    for (const card::Entry &entry : entries) {
        Planned p{entry, QString(), false, {}};
        const QString folderName = packageFolder(entry.id);
        if (!folderName.isEmpty() || entry.id == QLatin1String("BlkTmp")) {
            if (kindsSeen.contains(entry.id))
                damaged(QStringLiteral("it holds two entries of the kind \"%1\"").arg(entry.id));
            kindsSeen.append(entry.id);
        }
        if (!folderName.isEmpty()) {
            p.target = folderName;
            p.package = true;
            p.members = packageMembers(file, entry, total);
        } else if (entry.id == QLatin1String("BlkTmp") || entry.id == QLatin1String("Movie")) {
            p.target = entry.id;
            total += entry.size;
        } else if (entry.id == QLatin1String("zpj")) {
            if (&entry != &last)
                damaged(QStringLiteral("it holds more than one project file"));
            total += entry.size;
        } else {
            continue; // a kind this player does not know has nothing it needs
        }
        plan.append(p);
    }
    if (total > UnpackLimit(file.size(), folder))
        damaged(QStringLiteral("it would unpack to more than this computer can take"));

    const QString project = AddTrailingBackslash(folder) + QStringLiteral("project/");
    try {
        if (!QDir().mkpath(project))
            throw Error(QStringLiteral("cannot create the folder \"%1\"").arg(project));
        for (const Planned &p : plan) {
            const QString target = p.target.isEmpty() ? project : project + p.target + QLatin1Char('/');
            EnsureDir(target);
            if (!p.package) {
                copyEntry(file, p.entry.offset, p.entry.size, target + p.entry.fileName);
                continue;
            }
            if (deferredMusic && p.target == QLatin1String("Music")) {
                // Checked with the rest; inflated later from a file of its own, so that it may
                // run on another thread.
                *deferredMusic = [program, members = p.members, target] {
                    QFile card(program);
                    if (!card.open(QIODevice::ReadOnly))
                        damaged(QStringLiteral("the program file cannot be read as a card"));
                    try {
                        inflateMembers(card, members, target);
                    } catch (const Error &e) {
                        damaged(e.text());
                    }
                };
                continue;
            }
            inflateMembers(file, p.members, target);
        }
    } catch (const DamagedCardError &) {
        throw;
    } catch (const Error &e) {
        damaged(e.text());
    }
    return {project + last.fileName, project, false};
}

void UnpackBackgroundPage(const QString &package, const QString &destination)
{
    QFile file(package);
    if (!file.open(QIODevice::ReadOnly))
        damaged(QStringLiteral("the background animation \"%1\" cannot be read").arg(package));
    const card::Entry whole{QStringLiteral("BlkTmp"), QFileInfo(package).fileName(), 0, file.size()};
    qint64 total = 0;
    const QList<Member> members = packageMembers(file, whole, total);
    if (total > UnpackLimit(file.size(), destination))
        damaged(QStringLiteral("the background animation would unpack to more than this computer can take"));
    try {
        QDir().mkpath(destination);
        inflateMembers(file, members, AddTrailingBackslash(destination));
    } catch (const Error &e) {
        damaged(e.text());
    }
}

bool IsPreviewProgram(const QString &program)
{
    return QFileInfo(program).fileName().compare(QLatin1String("Preview.exe"), Qt::CaseInsensitive)
           == 0;
}

CardProject PreviewProject(const QString &program)
{
    const QString folder = AddTrailingBackslash(QFileInfo(program).absolutePath());
    QString list;
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        if (name.compare(QLatin1String("Preview.qrj"), Qt::CaseInsensitive) == 0)
            list = folder + name;
    QFile file(list);
    if (list.isEmpty() || file.size() > kMaxPreviewListSize || !file.open(QIODevice::ReadOnly))
        damaged(QStringLiteral("the preview list \"Preview.qrj\" is missing"));
    const QStringList lines = package::splitLines(codepage::toUnicode(file.readAll()));
    const QString name = lines.isEmpty() ? QString() : lines.first().trimmed();
    if (!package::isBareFileName(name) || !name.endsWith(QLatin1String(".zpj"), Qt::CaseInsensitive)
        || !QFileInfo(folder + name).isFile())
        damaged(QStringLiteral("\"Preview.qrj\" does not name a project file of its folder"));
    return {folder + name, folder, true};
}

} // namespace ly::player
