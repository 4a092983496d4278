#pragma once

#include <QString>
#include <QStringList>

#include <span>

// lyrabell-tool: sub-commands dispatched from one table (Commands.cpp). A command returns its
// exit code; it throws ly::Error for a failure (exit 1, the text on stderr) and tool::Usage
// for wrong arguments (exit 2, its usage line on stderr).
namespace tool {

struct Command
{
    const char *name;
    const char *usage;   // the arguments after the name
    const char *summary; // one line for --help
    int (*run)(const QStringList &args);
};

struct Usage
{
};

std::span<const Command> commands();

// Writes a line (a newline is added) to stdout.
void printLine(const QString &text);
// Throws Usage unless the argument count lies in [min, max].
void requireArgs(const QStringList &args, qsizetype min, qsizetype max);

// The sub-commands; each lives in its own file.
int runIni(const QStringList &args);
int runScramble(const QStringList &args);
int runUnscramble(const QStringList &args);
int runGradient(const QStringList &args);
int runSwfInfo(const QStringList &args);
int runSendMail(const QStringList &args);
int runTransition(const QStringList &args);
int runPack(const QStringList &args);
int runUnpack(const QStringList &args);
int runList(const QStringList &args);
int runBuild(const QStringList &args);
int runExtract(const QStringList &args);
int runMedia(const QStringList &args);
int runRecord(const QStringList &args);

} // namespace tool
