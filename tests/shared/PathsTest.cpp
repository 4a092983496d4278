#include "support/Sandbox.h"

#include "shared/Error.h"
#include "shared/Paths.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using PathsTest = lytest::SandboxTest;

TEST_F(PathsTest, FoldersPointIntoTheSandbox)
{
    EXPECT_EQ(ly::ProgramDir(), sandbox.programDir());
    EXPECT_EQ(ly::TempDir(), sandbox.tempDir());
    EXPECT_EQ(ly::SystemDir() + "/", sandbox.systemDir());
}

TEST_F(PathsTest, AddTrailingBackslash)
{
    EXPECT_EQ(ly::AddTrailingBackslash("/a/b"), QStringLiteral("/a/b/"));
    EXPECT_EQ(ly::AddTrailingBackslash("/a/b/"), QStringLiteral("/a/b/"));
    EXPECT_EQ(ly::AddTrailingBackslash("/"), QStringLiteral("/"));
}

TEST_F(PathsTest, EnsureDirMakesOneLevelOnly)
{
    ly::EnsureDir(sandbox.root() + "one");
    EXPECT_TRUE(QDir(sandbox.root() + "one").exists());
    ly::EnsureDir(sandbox.root() + "two/three");
    EXPECT_FALSE(QDir(sandbox.root() + "two").exists());
}

TEST_F(PathsTest, StoredPathsConvertBothWays)
{
    const QString project = "/home/u/Cards/Card1/";
    EXPECT_EQ(ly::StoredToNative("\\Music\\song.mp3", project),
              QStringLiteral("/home/u/Cards/Card1/Music/song.mp3"));
    EXPECT_EQ(ly::StoredToNative("\\Music\\song.mp3", "/home/u/Cards/Card1"),
              QStringLiteral("/home/u/Cards/Card1/Music/song.mp3"));
    EXPECT_EQ(ly::StoredToNative("/elsewhere/a.mp3", project), QStringLiteral("/elsewhere/a.mp3"));
    EXPECT_EQ(ly::NativeToStored("/home/u/Cards/Card1/Music/song.mp3", project),
              QStringLiteral("\\Music\\song.mp3"));
    EXPECT_EQ(ly::NativeToStored("/home/u/Cards/Card10/x.mp3", project),
              QStringLiteral("/home/u/Cards/Card10/x.mp3"));
    EXPECT_EQ(ly::ProgramPathToNative("\\Project"), sandbox.programDir() + "Project");
    EXPECT_EQ(ly::NativeToProgramPath(sandbox.programDir() + "Blk/a.tmp"),
              QStringLiteral("\\Blk\\a.tmp"));
}

} // namespace

namespace {

// Points $XDG_RUNTIME_DIR and $XDG_CACHE_HOME into the sandbox for one test.
class PrivateTempDirTest : public lytest::SandboxTest
{
protected:
    PrivateTempDirTest()
        : m_oldRuntime(qgetenv("XDG_RUNTIME_DIR")), m_oldCache(qgetenv("XDG_CACHE_HOME"))
    {
        QDir().mkpath(runtime());
        qputenv("XDG_RUNTIME_DIR", runtime().toLocal8Bit());
        qputenv("XDG_CACHE_HOME", (sandbox.root() + "cache").toLocal8Bit());
    }
    ~PrivateTempDirTest() override
    {
        restore("XDG_RUNTIME_DIR", m_oldRuntime);
        restore("XDG_CACHE_HOME", m_oldCache);
    }

    QString runtime() const { return sandbox.root() + "run"; }

    static void restore(const char *name, const QByteArray &value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    static mode_t modeOf(const QString &path)
    {
        struct stat st{};
        EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
        return st.st_mode & 07777;
    }

private:
    QByteArray m_oldRuntime;
    QByteArray m_oldCache;
};

TEST_F(PrivateTempDirTest, MadeWithMode700BelowTheRuntimeFolderElseTheCache)
{
    EXPECT_EQ(ly::PrivateTempDir(), runtime() + "/lyrabell/");
    EXPECT_EQ(modeOf(runtime() + "/lyrabell"), mode_t(0700));
    EXPECT_EQ(ly::PrivateTempDir(), runtime() + "/lyrabell/"); // an existing one is kept

    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(ly::PrivateTempDir(), sandbox.root() + "cache/lyrabell/tmp/");
    EXPECT_EQ(modeOf(sandbox.root() + "cache/lyrabell/tmp"), mode_t(0700));
}

TEST_F(PrivateTempDirTest, AFolderOthersCouldUseIsRefusedAndLeftAlone)
{
    const QString dir = runtime() + "/lyrabell";
    const QByteArray native = QFile::encodeName(dir);
    for (mode_t mode : {mode_t(0777), mode_t(0755), mode_t(01777), mode_t(0770)}) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(QDir().mkpath(dir));
        ASSERT_EQ(::chmod(native.constData(), mode), 0);
        try {
            ly::PrivateTempDir();
            ADD_FAILURE() << "accepted";
        } catch (const ly::Error &e) {
            EXPECT_TRUE(e.text().contains(dir)) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains("open to other users")) << e.text().toStdString();
        }
        EXPECT_EQ(modeOf(dir), mode);
        ASSERT_TRUE(QDir().rmdir(dir));
    }
}

TEST_F(PrivateTempDirTest, ALinkOrFileInItsPlaceOrAnotherOwnerIsRefused)
{
    const QString dir = runtime() + "/lyrabell";
    const QString elsewhere = sandbox.root() + "elsewhere";
    ASSERT_TRUE(QDir().mkdir(elsewhere));
    ASSERT_EQ(::chmod(QFile::encodeName(elsewhere).constData(), 0700), 0);
    ASSERT_TRUE(QFile::link(elsewhere, dir));
    EXPECT_THROW(ly::PrivateTempDir(), ly::Error);
    ASSERT_TRUE(QFile::remove(dir));

    sandbox.writeFile("run/lyrabell", "x");
    EXPECT_THROW(ly::PrivateTempDir(), ly::Error);
    ASSERT_TRUE(QFile::remove(dir));

    if (::geteuid() == 0) { // only root can give a folder away
        ASSERT_TRUE(QDir().mkdir(dir));
        ASSERT_EQ(::chmod(QFile::encodeName(dir).constData(), 0700), 0);
        ASSERT_EQ(::chown(QFile::encodeName(dir).constData(), 65534, 65534), 0);
        try {
            ly::PrivateTempDir();
            ADD_FAILURE() << "accepted";
        } catch (const ly::Error &e) {
            EXPECT_TRUE(e.text().contains("another user")) << e.text().toStdString();
        }
    }
}

} // namespace
