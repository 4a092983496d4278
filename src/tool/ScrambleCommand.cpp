#include "tool/Tool.h"

#include "mail/Scrambler.h"

namespace tool {

int runScramble(const QStringList &args)
{
    requireArgs(args, 1, 2);
    printLine(ly::mail::ScrambleText(args[0], args.value(1)));
    return 0;
}

} // namespace tool
