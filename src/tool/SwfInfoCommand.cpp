#include "tool/Tool.h"

#include "control/SwfHeader.h"
#include "shared/Error.h"

#include <QFileInfo>

namespace tool {

int runSwfInfo(const QStringList &args)
{
    requireArgs(args, 1, 1);
    const QString &file = args[0];
    if (!QFileInfo(file).isFile())
        throw ly::Error(QStringLiteral("Cannot open file \"%1\"").arg(file));
    ly::SwfHeaderInfo info;
    ly::ReadSwfHeader(file, info);
    printLine(QStringLiteral("type=") + info.type);
    printLine(QStringLiteral("pixel=") + info.pixel);
    printLine(QStringLiteral("version=") + info.version);
    printLine(QStringLiteral("size=") + info.size);
    printLine(QStringLiteral("rate=") + info.rate);
    printLine(QStringLiteral("frames=") + info.frameCount);
    printLine(QStringLiteral("date=") + info.date);
    printLine(QStringLiteral("name=") + info.name);
    printLine(QStringLiteral("error=") + (info.error ? u'1' : u'0'));
    return 0;
}

} // namespace tool
