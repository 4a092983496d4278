#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

namespace lytest {

struct ToolResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the built lyrabell-tool of the program folder with the arguments and waits for it
// (at most timeoutMs).
ToolResult runTool(const QStringList &args, int timeoutMs = 60000);
// The same with another copy of a program (for example one copied into a sandbox).
ToolResult runProgram(const QString &program, const QStringList &args, int timeoutMs = 60000);
// The same in the environment given.
ToolResult runProgram(const QString &program, const QStringList &args,
                      const QProcessEnvironment &env, int timeoutMs);

} // namespace lytest
