#include "tool/Tool.h"

#include "platform/MediaPlayer.h"
#include "shared/Error.h"

namespace tool {

int runMedia(const QStringList &args)
{
    requireArgs(args, 1, 1);
    ly::platform::MediaPlayer player;
    if (const ly::platform::MediaResult r = player.open(args[0]); !r)
        throw ly::Error(r.error());
    printLine(QStringLiteral("length_ms=%1 tracks=%2").arg(player.length()).arg(player.trackCount()));
    return 0;
}

} // namespace tool
