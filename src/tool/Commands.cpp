#include "tool/Tool.h"

namespace tool {

namespace {

const Command kCommands[] = {
    {"ini", "get FILE SECTION KEY [DEFAULT] | set FILE SECTION KEY VALUE | erase FILE SECTION",
     "read, write or erase values of an INI file", runIni},
    {"transition", "STYLE PROGRESS OLD.png NEW.png OUT.png [--step N] | --list",
     "compose one frame of a picture transition, or list the styles", runTransition},
};

} // namespace

std::span<const Command> commands()
{
    return kCommands;
}

} // namespace tool
