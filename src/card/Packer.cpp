#include "card/Packer.h"

#include "card/Package.h"
#include "card/StagedFile.h"
#include "shared/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QThreadPool>
#include <QtEndian>

#include <algorithm>
#include <chrono>
#include <deque>
#include <future>
#include <memory>

namespace ly {

std::atomic<int> StopRequest{0};
QPointer<QObject> ProgressWindow;

namespace {

const QString kThumbs = QStringLiteral("Thumbs.db");
// How much of the folder's files may wait in memory, read or compressed, ahead of the writer
// (one member always may, however large).
constexpr qint64 kLookaheadBytes = 256 * 1024 * 1024;

struct StopRequestReset
{
    StopRequestReset() { StopRequest = 0; }
    ~StopRequestReset() { StopRequest = 0; }
};

void postProgress(int total, int running)
{
    if (QObject *receiver = ProgressWindow.data())
        QCoreApplication::postEvent(receiver, new PackProgressEvent(total, running));
}

void processPendingMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void ensureScratchFolder()
{
    EnsureDir(TempDir() + QStringLiteral("qrj"));
}

// Every entry of the folder, hidden and system ones included, in name order (letter case
// decides only between names that are otherwise equal), so a package does not depend on the
// order in which the file system happens to list a folder.
QFileInfoList folderEntries(const QString &folder)
{
    QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(entries.begin(), entries.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const int c = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.fileName() < b.fileName();
    });
    return entries;
}

bool isMember(const QFileInfo &entry)
{
    return entry.isFile() && entry.fileName() != kThumbs;
}

// The members of a pack, compressed ahead of the writer on worker threads and handed out in
// folder order. With one thread each member is compressed when it is asked for.
class MemberQueue
{
public:
    MemberQueue(QFileInfoList files, int threads)
        : m_files(std::move(files)), m_threads(threads)
    {
        m_pool.setMaxThreadCount(std::max(1, threads));
    }
    ~MemberQueue()
    {
        m_pool.clear();
        m_pool.waitForDone();
    }

    // The next member; the interface stays live while it is being compressed. Rethrows the
    // compression's error.
    QByteArray next()
    {
        topUp();
        std::future<QByteArray> member = std::move(m_pending.front().member);
        m_pendingBytes -= m_pending.front().bytes;
        m_pending.pop_front();
        topUp();
        while (member.wait_for(std::chrono::milliseconds(20)) == std::future_status::timeout)
            processPendingMessages();
        return member.get();
    }

    // Drops the members not started and waits, live, for those being compressed.
    void finish()
    {
        m_pool.clear();
        while (!m_pool.waitForDone(20))
            processPendingMessages();
        m_pending.clear();
    }

private:
    struct Pending
    {
        std::future<QByteArray> member;
        qint64 bytes;
    };

    void topUp()
    {
        const size_t window = m_threads > 1 ? size_t(2 * m_threads) : 1;
        while (m_submitted < m_files.size() && m_pending.size() < window) {
            const QFileInfo &file = m_files.at(m_submitted);
            if (!m_pending.empty() && m_pendingBytes + file.size() > kLookaheadBytes)
                break;
            const QString path = file.filePath();
            auto compress = [path] {
                return package::compressFileToMember(path, package::zlibLevel(3));
            };
            if (m_threads > 1) {
                auto task = std::make_shared<std::packaged_task<QByteArray()>>(compress);
                m_pending.push_back({task->get_future(), file.size()});
                m_pool.start([task] { (*task)(); });
            } else {
                m_pending.push_back({std::async(std::launch::deferred, compress), file.size()});
            }
            m_pendingBytes += file.size();
            ++m_submitted;
        }
    }

    QThreadPool m_pool;
    QFileInfoList m_files;
    int m_threads;
    qsizetype m_submitted = 0;
    std::deque<Pending> m_pending;
    qint64 m_pendingBytes = 0;
};

void tooLarge(const QString &package)
{
    throw Error(QStringLiteral("The package \"%1\" would reach 2 GB").arg(package));
}

// The name an index line gives its file in the destination: the name minus the ".tmp" the
// packer added. Only a bare file name is taken, so nothing is written outside the destination.
} // namespace

int CountFiles(const QString &folder)
{
    const QFileInfoList entries = folderEntries(folder);
    return int(std::count_if(entries.begin(), entries.end(),
                             [](const QFileInfo &e) { return e.isFile(); }));
}

QString PackagePathOf(const QString &folder)
{
    return QDir::cleanPath(folder) + QStringLiteral(".tmp");
}

void PackFolder(const QString &folder, int threads)
{
    const StopRequestReset stopRequestReset;
    ensureScratchFolder();
    if (!QFileInfo(folder).isDir())
        throw Error(QStringLiteral("Cannot find the folder \"%1\"").arg(folder));
    const QString packagePath = PackagePathOf(folder);
    const int total = CountFiles(folder);
    const QFileInfoList entries = folderEntries(folder);

    QFileInfoList memberFiles;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(memberFiles), isMember);
    MemberQueue members(memberFiles, threads > 0 ? threads : QThread::idealThreadCount());

    // The package replaces an earlier one only once it is complete, so a failure never leaves
    // half a package behind.
    StagedFile package(packagePath);
    package.open();
    QByteArray index;
    qint64 written = 0;
    int running = 0;
    for (const QFileInfo &entry : entries) {
        if (StopRequest == 1)
            break;
        // Every entry counts, skipped ones too, so the running number can pass the total.
        postProgress(total, ++running);
        if (isMember(entry)) {
            const QString name = entry.fileName();
            if (!package::isStorableName(name))
                throw Error(QStringLiteral("The file name \"%1\" cannot be stored in a package")
                                .arg(entry.filePath()));
            const QByteArray member = members.next();
            written += member.size();
            if (written >= kPackageSizeLimit)
                tooLarge(packagePath);
            package.writeAll(member);
            index += package::indexLine(name, member.size());
        }
        processPendingMessages();
    }
    members.finish();

    if (written + index.size() + 4 >= kPackageSizeLimit)
        tooLarge(packagePath);
    char trailer[4];
    qToLittleEndian<quint32>(quint32(index.size() + 4), trailer);
    package.writeAll(index + QByteArray(trailer, 4));
    package.commit();
}

void ExtractPackage(const QString &package, const QString &destination)
{
    const StopRequestReset stopRequestReset;
    if (!QFileInfo::exists(package))
        throw PackageError(PackageError::WarningNotice, kPackageMissingText);
    ensureScratchFolder();
    QString folder = destination;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    EnsureDir(folder);
    try {
        if (destination.isEmpty())
            throw Error(QStringLiteral("No destination folder"));
        QFile file(package);
        if (!file.open(QIODevice::ReadOnly))
            throw Error(file.errorString());
        const package::Index index = package::readIndex(file);
        const int total = int(index.lines.size());
        qint64 back = index.fileSize - index.indexStart;
        // Members are found from the end: each ends where the one after it begins.
        for (int k = 1; k <= total && StopRequest != 1; ++k) {
            postProgress(total, k);
            const QString &line = index.lines.at(total - k);
            const QString name = package::memberFileName(line);
            const qint64 size = package::memberSize(line);
            back += size;
            if (back > index.fileSize || !file.seek(index.fileSize - back))
                throw Error(QStringLiteral("The member \"%1\" lies outside the package").arg(name));
            StagedFile out(folder + QLatin1Char('/') + name);
            out.open();
            package::inflateMember(file, size, out);
            out.commit();
            processPendingMessages();
        }
    } catch (const PackageError &) {
        throw;
    } catch (const Error &) {
        throw PackageError(PackageError::ErrorNotice, kUnpackFailedText);
    }
}

} // namespace ly
