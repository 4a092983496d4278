#pragma once

#include "support/Sandbox.h"
#include "support/ToolRunner.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

// Cards built and played from outside: copies of the built player and tool in the sandbox's
// program folder, projects written by the test, and the card run with its own temporary,
// configuration and PATH folders inside the sandbox (fake xdg-open and xdg-email first).
namespace playertest {

using RunResult = lytest::ToolResult;

class PlayerTest : public lytest::SandboxTest
{
protected:
    PlayerTest()
    {
        for (const char *name : {"lyrabell-tool", "Cardstub.dll"}) {
            const QString target = sandbox.programDir() + name;
            if (!QFile::copy(lytest::builtProgramDir() + name, target))
                throw std::runtime_error("cannot copy the built programs into the sandbox");
            QFile::setPermissions(target, QFile::permissions(lytest::builtProgramDir() + name));
        }
        QDir().mkpath(tmp());
        QDir().mkpath(bin());
        for (const char *fake : {"xdg-open", "xdg-email"}) {
            // Each fake writes its arguments, one per line, to <name>.args.
            const QString script = bin() + fake;
            QFile f(script);
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"")
                    + QFile::encodeName(sandbox.root()) + fake + ".args\"\n");
            f.close();
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    QString stub() const { return sandbox.programDir() + "Cardstub.dll"; }
    QString tmp() const { return sandbox.root() + "tmp/"; }
    QString bin() const { return sandbox.root() + "bin/"; }
    QString config() const { return sandbox.root() + "config/"; }
    // The run folders of the cards' private folder that are left.
    QStringList leftovers() const
    {
        QStringList all;
        for (const QString &base : QDir(tmp()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString &run : QDir(tmp() + base).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                all.append(base + "/" + run);
        return all;
    }
    // What a fake desktop program was called with; empty when it was not called.
    QByteArray fakeArgs(const char *name) const
    {
        return lytest::readFile(sandbox.root() + name + ".args");
    }

    // A project folder "Rose" with the project file (LF turned into CR LF) and media.
    QString makeProject(const QByteArray &ini, const QList<std::pair<QString, QByteArray>> &media = {},
                        const QString &folder = "Rose")
    {
        QByteArray text = ini;
        text.replace("\n", "\r\n");
        for (const auto &[path, bytes] : media)
            sandbox.writeFile(folder + "/" + path, bytes);
        return sandbox.writeFile(folder + "/" + folder + ".zpj", text);
    }

    static QByteArray png(QColor color, QSize size = QSize(64, 48))
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    // A PCM wave file of the given length (8-bit mono, 11025 samples a second).
    static QByteArray wave(int ms)
    {
        const quint32 data = quint32(11025LL * ms / 1000);
        QByteArray b("RIFF");
        auto le32 = [&](quint32 v) { for (int i = 0; i < 4; ++i) b.append(char(v >> (8 * i))); };
        auto le16 = [&](quint16 v) { b.append(char(v)); b.append(char(v >> 8)); };
        le32(36 + data);
        b += "WAVEfmt ";
        le32(16);
        le16(1);
        le16(1);
        le32(11025);
        le32(11025);
        le16(1);
        le16(8);
        b += "data";
        le32(data);
        b += QByteArray(int(data), char(128));
        return b;
    }

    RunResult run(const QString &program, const QStringList &args, int timeoutMs = 120000)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp());
        env.insert("XDG_CONFIG_HOME", config());
        env.insert("PATH", bin() + ":" + env.value("PATH"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        return lytest::runProgram(program, args, env, timeoutMs);
    }

    // Builds the project with lyrabell-tool into card.exe in the sandbox.
    QString build(const QString &projectFile)
    {
        const QString card = sandbox.root() + "card.exe";
        const RunResult r = run(sandbox.programDir() + "lyrabell-tool", {"build", projectFile, card});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return card;
    }

    QImage snapshot(const QString &card, double seconds)
    {
        const QString out = sandbox.root() + "shot.png";
        QFile::remove(out);
        const RunResult r = run(card, {"--snapshot", QString::number(seconds), out});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QImage(out);
    }
};

} // namespace playertest
