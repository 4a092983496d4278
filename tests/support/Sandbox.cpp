#include "Sandbox.h"

#include "shared/Paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace lytest {

namespace {

void copyTree(const QString &from, const QString &to)
{
    const QFileInfo info(from);
    if (info.isFile()) {
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::remove(to);
        QFile::copy(from, to);
        QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return;
    }
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        copyTree(file, to + QLatin1Char('/') + QDir(from).relativeFilePath(file));
    }
}

} // namespace

Sandbox::Sandbox() : m_oldDataHome(qgetenv("XDG_DATA_HOME"))
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create the test sandbox");
    QDir().mkpath(programDir());
    QDir().mkpath(tempDir());
    QDir().mkpath(systemDir());
    ly::OverrideProgramDir(programDir());
    ly::OverrideTempDir(tempDir());
    ly::OverrideSystemDir(systemDir());
    qputenv("XDG_DATA_HOME", (root() + QStringLiteral("Data")).toLocal8Bit());
    copyContent(QStringLiteral("config.ini"));
}

Sandbox::~Sandbox()
{
    ly::OverrideProgramDir(QString());
    ly::OverrideTempDir(QString());
    ly::OverrideSystemDir(QString());
    if (m_oldDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_oldDataHome);
}

QString Sandbox::root() const { return m_dir.path() + QLatin1Char('/'); }
QString Sandbox::programDir() const { return root() + QStringLiteral("Program/"); }
QString Sandbox::tempDir() const { return root() + QStringLiteral("Temp/"); }
QString Sandbox::systemDir() const { return root() + QStringLiteral("System/"); }

void Sandbox::copyContent(const QString &relativePath) const
{
    copyTree(contentDir() + relativePath, programDir() + relativePath);
}

QString Sandbox::writeFile(const QString &relativePath, const QByteArray &bytes) const
{
    const QString path = root() + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a sandbox file");
    return path;
}

QString contentDir()
{
    return QStringLiteral(LYRABELL_SOURCE_DIR "/content/");
}

QString builtProgramDir()
{
    return QStringLiteral(LYRABELL_PROGRAM_DIR "/");
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace lytest
