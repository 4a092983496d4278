#include "tool/Tool.h"

#include "card/CardFile.h"

namespace tool {

int runExtract(const QStringList &args)
{
    requireArgs(args, 2, 2);
    ly::card::extractCard(args[0], args[1]);
    return 0;
}

} // namespace tool
