#include "support/Sandbox.h"

#include "editor/ProjectDocument.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>

#include <signal.h>
#include <unistd.h>

namespace {

constexpr int kKeys = 10;

// A project file as it stands after the writes 1..last of the series: write i sets
// [Keys] "k" + (i mod 10) to i; the keys start at 0. A large section in front makes every
// write take a while, so that kills land in the middle of writing too.
struct Series
{
    QByteArray head;

    Series()
    {
        head = ly::ProjectTemplate() + "[FrmBlk]\r\n";
        for (int i = 0; i < 20000; ++i)
            head += "MusicItem" + QByteArray::number(i) + "=\\Music\\a rather long song title "
                    + QByteArray::number(i) + ".mp3\r\n";
    }

    QByteArray fileAfter(qint64 last) const
    {
        QByteArray bytes = head + "[Keys]\r\n";
        for (int k = 0; k < kKeys; ++k) {
            qint64 value = last - ((last - k) % kKeys + kKeys) % kKeys;
            if (value <= 0)
                value = 0;
            bytes += "k" + QByteArray::number(k) + "=" + QByteArray::number(value) + "\r\n";
        }
        return bytes;
    }

    // The last write that a snapshot of the file holds, or -1 when the snapshot is no state
    // of the series at all (half written, lost or mixed values).
    qint64 lastWriteIn(const QByteArray &snapshot) const
    {
        const qsizetype keys = snapshot.indexOf("[Keys]\r\n", head.size() - 1);
        if (keys < 0)
            return -1;
        qint64 last = 0;
        for (const QByteArray &line : snapshot.mid(keys + 8).split('\n')) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0)
                last = std::max(last, line.mid(eq + 1).trimmed().toLongLong());
        }
        return snapshot == fileAfter(last) ? last : -1;
    }
};

using ProjectDocumentCrashTest = lytest::SandboxTest;

// lyrabell-tool rewrites one key after another in a loop; the loop is killed at random
// moments. Every state a reader sees, and the state the kill leaves, must be a whole
// project file holding the old or the new value of each key.
TEST_F(ProjectDocumentCrashTest, AKilledWriterLeavesOldOrNewValues)
{
    const QString tool = lytest::builtProgramDir() + "lyrabell-tool";
    ASSERT_TRUE(QFileInfo(tool).isExecutable()) << "build lyrabell-tool first";
    const Series series;
    const QString file = sandbox.writeFile("Cards/Card1/Card1.zpj", series.fileAfter(0));

    qint64 last = 0;
    int killedRounds = 0;
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        QProcess loop;
        loop.setChildProcessModifier([] { ::setpgid(0, 0); });
        loop.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        loop.start("/bin/sh",
                   {"-c",
                    "i=$2; while :; do \"$0\" ini set \"$1\" Keys \"k$((i % 10))\" \"$i\" || exit 1;"
                    " i=$((i + 1)); done",
                    tool, file, QString::number(last + 1)});
        ASSERT_TRUE(loop.waitForStarted(10000));

        // Watch until the loop has written something, then let it run a little longer.
        const QDeadlineTimer deadline(60000);
        qint64 seen = last;
        while (seen == last && !deadline.hasExpired()) {
            const qint64 now = series.lastWriteIn(lytest::readFile(file));
            ASSERT_GE(now, seen) << "a reader saw a broken or older file";
            seen = now;
            QThread::msleep(5);
        }
        ASSERT_GT(seen, last) << "the writer made no progress";
        QThread::msleep(QRandomGenerator::global()->bounded(400));

        ASSERT_EQ(::kill(-pid_t(loop.processId()), SIGKILL), 0);
        loop.waitForFinished(10000);
        killedRounds += loop.exitStatus() == QProcess::CrashExit;

        const qint64 after = series.lastWriteIn(lytest::readFile(file));
        ASSERT_GE(after, seen) << "the kill left a broken file or lost a finished write";
        last = after;
    }
    // Every round saw progress before its kill; how much depends on the machine's load.
    EXPECT_EQ(killedRounds, 8);
}

} // namespace
