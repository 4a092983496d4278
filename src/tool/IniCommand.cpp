#include "tool/Tool.h"

#include "shared/Ini.h"

namespace tool {

int runIni(const QStringList &args)
{
    if (args.isEmpty())
        throw Usage{};
    const QString verb = args.first();
    if (verb == QLatin1String("get")) {
        requireArgs(args, 4, 5);
        printLine(ly::ini::read(args[1], args[2], args[3], args.value(4)));
    } else if (verb == QLatin1String("set")) {
        requireArgs(args, 5, 5);
        ly::ini::write(args[1], args[2], args[3], args[4]);
    } else if (verb == QLatin1String("erase")) {
        requireArgs(args, 3, 3);
        ly::ini::eraseSection(args[1], args[2]);
    } else {
        throw Usage{};
    }
    return 0;
}

} // namespace tool
