#pragma once

#include "card/CardFixtures.h"

#include "editor/BuilderUnit.h"
#include "support/Sandbox.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace buildertest {

// Records what a build shows, one text per call: "zip:" + text, "file:" + text, "bar:" + n.
class ProgressRecorder : public ly::BuildProgress
{
public:
    QStringList events;
    std::function<void(const QString &)> onEvent;

    void SetZipShow(const QString &text) override { record(QStringLiteral("zip:") + text); }
    void SetFileShow(const QString &text) override { record(QStringLiteral("file:") + text); }
    void SetFileBar(int position, int maximum) override
    {
        EXPECT_EQ(maximum, 15);
        record(QStringLiteral("bar:%1").arg(position));
    }

    QStringList eventsOf(const QString &prefix) const
    {
        QStringList of;
        for (const QString &e : events)
            if (e.startsWith(prefix))
                of.append(e.mid(prefix.size()));
        return of;
    }

private:
    void record(const QString &event)
    {
        events.append(event);
        if (onEvent)
            onEvent(event);
    }
};

// A sandbox with a player stub in the program folder, and project folders made from INI text
// and media files.
class BuilderTest : public lytest::SandboxTest
{
protected:
    const QByteArray stub = "card player stub" + QByteArray(3000, '\0') + "end of stub";

    BuilderTest() { sandbox.writeFile("Program/Cardstub.dll", stub); }

    // Writes name/name.zpj below the sandbox root (LF in the text becomes CR LF) and the media
    // files (paths relative to the project folder); returns the project file.
    QString makeProject(const QString &name, const QByteArray &ini,
                        const QList<std::pair<QString, QByteArray>> &media = {})
    {
        QByteArray text = ini;
        text.replace("\n", "\r\n");
        const QString file = sandbox.writeFile(name + "/" + name + ".zpj", text);
        for (const auto &[path, bytes] : media)
            sandbox.writeFile(name + "/" + path, bytes);
        return file;
    }

    QString folderOf(const QString &project) const
    {
        return QFileInfo(project).absolutePath() + "/";
    }

    QString outputFor(const QString &name) const
    {
        QDir().mkpath(sandbox.root() + "Cards");
        return sandbox.root() + "Cards/" + name + ".exe";
    }

    // StartCard and the build procedure, as the wizard runs them after its checks.
    ly::CardBuilder::Outcome build(const QString &project, const QString &output,
                                   ly::BuildProgress &progress)
    {
        ly::StartCard(project, output);
        return ly::CardBuilder(project, output, progress).Build();
    }

    ly::CardBuilder::Outcome build(const QString &project, const QString &output)
    {
        ProgressRecorder progress;
        return build(project, output, progress);
    }

    static QStringList packageFilesIn(const QString &folder)
    {
        QStringList left;
        for (const char *name : {"Flash.tmp", "Music.tmp", "PicBox.tmp", "Picture.tmp", "Res.tmp"})
            if (QFile::exists(folder + name))
                left.append(QString::fromLatin1(name));
        return left;
    }
};

} // namespace buildertest
