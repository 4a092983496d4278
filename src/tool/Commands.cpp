#include "tool/Tool.h"

namespace tool {

namespace {

const Command kCommands[] = {
    {"ini", "get FILE SECTION KEY [DEFAULT] | set FILE SECTION KEY VALUE | erase FILE SECTION",
     "read, write or erase values of an INI file", runIni},
    {"scramble", "TEXT [KEY]", "scramble a text as the account file stores it", runScramble},
    {"unscramble", "HEX [KEY]", "give back the text of a scrambled text", runUnscramble},
    {"gradient", "STYLE FROM TO WIDTH HEIGHT OUT.png",
     "draw a gradient picture (style 0 ... 12 or its name, colours as colour texts)",
     runGradient},
    {"swfinfo", "FILE", "print the description texts read from a SWF file's header",
     runSwfInfo},
    {"sendmail",
     "--host HOST [--port N] [--security none|starttls|tls] [--ca-file FILE] --user USER "
     "--password PASS --from-name NAME --from ADDR --to LIST [--cc LIST] --subject TEXT "
     "[--body-file FILE] [--attach FILE]...",
     "send one mail over SMTP with login (one attempt)", runSendMail},
    {"transition", "STYLE PROGRESS OLD.png NEW.png OUT.png [--step N] | --list",
     "compose one frame of a picture transition, or list the styles", runTransition},
    {"pack", "FOLDER", "pack the files of a folder into a resource package beside it", runPack},
    {"unpack", "PACKAGE DEST", "extract every file of a resource package into a folder", runUnpack},
    {"list", "FILE", "print the index lines of a resource package or card program", runList},
    {"build", "PROJECT.zpj OUT.exe", "build the card program of a project", runBuild},
    {"extract", "CARD DEST", "write every entry of a card program into a folder", runExtract},
    {"media", "FILE", "print the length of a sound or movie file and its number of tracks",
     runMedia},
    {"record", "SECONDS OUT.wav",
     "record from the default sound input into a voice wave file (mono, 8 bits, 11025 Hz)",
     runRecord},
};

} // namespace

std::span<const Command> commands()
{
    return kCommands;
}

} // namespace tool
