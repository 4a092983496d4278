#include "ToolRunner.h"

#include "Sandbox.h"

#include <QProcess>

namespace lytest {

ToolResult runTool(const QStringList &args, int timeoutMs)
{
    return runProgram(builtProgramDir() + QStringLiteral("lyrabell-tool"), args, timeoutMs);
}

ToolResult runProgram(const QString &program, const QStringList &args, int timeoutMs)
{
    return runProgram(program, args, QProcessEnvironment::systemEnvironment(), timeoutMs);
}

ToolResult runProgram(const QString &program, const QStringList &args,
                      const QProcessEnvironment &env, int timeoutMs)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    ToolResult r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = "timed out";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace lytest
