#include "tool/Tool.h"

#include "mail/Scrambler.h"

namespace tool {

int runUnscramble(const QStringList &args)
{
    requireArgs(args, 1, 2);
    printLine(ly::mail::UnscrambleText(args[0], args.value(1)));
    return 0;
}

} // namespace tool
