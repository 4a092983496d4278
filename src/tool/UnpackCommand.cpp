#include "tool/Tool.h"

#include "card/Packer.h"

namespace tool {

int runUnpack(const QStringList &args)
{
    requireArgs(args, 2, 2);
    ly::ExtractPackage(args[0], args[1]);
    return 0;
}

} // namespace tool
