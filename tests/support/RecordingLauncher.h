#pragma once

#include "platform/Shell.h"

#include <QList>
#include <QStringList>
#include <QUrl>

namespace lytest {

// Records what the shell would start or open, and starts nothing.
class RecordingLauncher : public ly::platform::ShellLauncher
{
public:
    struct Launch
    {
        QString program; // empty for an opened address
        QStringList arguments;
        QString workingDir;
        QUrl url;
    };

    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &workingDir) override
    {
        launches.append({program, arguments, workingDir, {}});
        started.append(program + " | " + arguments.join(' '));
        return true;
    }
    bool openUrl(const QUrl &url) override
    {
        launches.append({{}, {}, {}, url});
        opened.append(url.toString());
        return true;
    }

    QList<Launch> launches;
    QStringList started; // "program | arguments"
    QStringList opened;  // the addresses as text
};

} // namespace lytest
