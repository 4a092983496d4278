#include "player/CardTempFolder.h"

#include "shared/Error.h"

#include <QDateTime>
#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ly::player {

namespace {

const QString kRunPrefix = QStringLiteral("run-");
const QString kLockName = QStringLiteral(".lock");

// The base must be a real folder (no link) of this user that nobody else may enter.
void ensurePrivateFolder(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        throw Error(QStringLiteral("Cannot create the folder \"%1\": %2")
                        .arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()
        || (st.st_mode & 077) != 0)
        throw Error(QStringLiteral("The folder \"%1\" is not a private folder of this user")
                        .arg(folder));
}

} // namespace

QString CardTempFolder::defaultBase()
{
    return QDir::tempPath() + QStringLiteral("/lyrabell-cards-") + QString::number(::getuid());
}

CardTempFolder::CardTempFolder(const QString &base)
{
    const QString root = base.isEmpty() ? defaultBase() : base;
    ensurePrivateFolder(root);
    removeLeftovers(root);
    QByteArray pattern = QFile::encodeName(root + QLatin1Char('/') + kRunPrefix + "XXXXXX");
    if (!::mkdtemp(pattern.data()))
        throw Error(QStringLiteral("Cannot create a temporary folder in \"%1\"").arg(root));
    m_path = QFile::decodeName(pattern) + QLatin1Char('/');
    m_lock = std::make_unique<QLockFile>(m_path + kLockName);
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        remove();
        throw Error(QStringLiteral("Cannot lock the temporary folder \"%1\"").arg(m_path));
    }
}

CardTempFolder::~CardTempFolder()
{
    remove();
}

void CardTempFolder::remove()
{
    if (m_path.isEmpty())
        return;
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
    QDir(m_path).removeRecursively();
    m_path.clear();
}

void CardTempFolder::removeLeftovers(const QString &base)
{
    const QDir dir(base);
    for (const QString &name : dir.entryList({kRunPrefix + QLatin1Char('*')},
                                             QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString folder = dir.filePath(name);
        if (QFileInfo(folder).isSymLink())
            continue;
        // A lock whose process is gone counts as stale and can be taken over; a folder that
        // never got its lock is a run that died at once.
        const QString lockPath = folder + QLatin1Char('/') + kLockName;
        if (!QFileInfo::exists(lockPath)
            && QFileInfo(folder).lastModified().secsTo(QDateTime::currentDateTime()) < 60)
            continue; // a run that is just starting
        QLockFile lock(lockPath);
        lock.setStaleLockTime(0);
        if (lock.tryLock(0)) {
            lock.unlock();
            QDir(folder).removeRecursively();
        }
    }
}

} // namespace ly::player
