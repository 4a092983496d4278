#include "tool/Tool.h"

namespace tool {

namespace {

const Command kCommands[] = {
    {"ini", "get FILE SECTION KEY [DEFAULT] | set FILE SECTION KEY VALUE | erase FILE SECTION",
     "read, write or erase values of an INI file", runIni},
    {"pack", "FOLDER", "pack the files of a folder into a resource package beside it", runPack},
    {"unpack", "PACKAGE DEST", "extract every file of a resource package into a folder", runUnpack},
    {"list", "FILE", "print the index lines of a resource package", runList},
};

} // namespace

std::span<const Command> commands()
{
    return kCommands;
}

} // namespace tool
