#include "tool/Tool.h"

#include "platform/ProgramEnd.h"
#include "shared/Error.h"
#include "shared/Version.h"

#include <QCoreApplication>

#include <cstdio>

namespace tool {

void printLine(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void requireArgs(const QStringList &args, qsizetype min, qsizetype max)
{
    if (args.size() < min || args.size() > max)
        throw Usage{};
}

} // namespace tool

namespace {

void printError(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void printHelp()
{
    std::printf("usage: lyrabell-tool COMMAND [ARGUMENTS]\n\n%s %s\n\ncommands:\n",
                ly::kProductName, ly::kVersionText);
    for (const tool::Command &c : tool::commands())
        std::printf("  %-12s %s\n  %-12s   %s %s\n", c.name, c.summary, "", c.name, c.usage);
}

int run(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printHelp();
        return 2;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")
        || name == QLatin1String("help")) {
        printHelp();
        return 0;
    }
    for (const tool::Command &c : tool::commands()) {
        if (name != QLatin1String(c.name))
            continue;
        try {
            return c.run(args);
        } catch (const tool::Usage &) {
            printError(QStringLiteral("usage: lyrabell-tool %1 %2")
                           .arg(QLatin1String(c.name), QLatin1String(c.usage)));
            return 2;
        } catch (const ly::Error &e) {
            printError(e.text());
            return 1;
        } catch (const std::exception &e) {
            printError(QString::fromLocal8Bit(e.what()));
            return 1;
        }
    }
    printError(QStringLiteral("lyrabell-tool: unknown command \"%1\" (see lyrabell-tool --help)")
                   .arg(name));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    ly::platform::EndProgram(run(argc, argv));
}
