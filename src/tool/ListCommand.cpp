#include "tool/Tool.h"

#include "card/Package.h"

namespace tool {

int runList(const QStringList &args)
{
    requireArgs(args, 1, 1);
    for (const QString &line : ly::package::readIndex(args[0]).lines)
        printLine(line);
    return 0;
}

} // namespace tool
