#include "tool/Tool.h"

#include "card/Packer.h"

namespace tool {

int runPack(const QStringList &args)
{
    requireArgs(args, 1, 1);
    ly::PackFolder(args[0]);
    printLine(ly::PackagePathOf(args[0]));
    return 0;
}

} // namespace tool
