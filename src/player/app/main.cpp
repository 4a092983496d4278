#include "platform/ProgramEnd.h"
#include "player/widgets/PlayerApp.h"

#ifdef LYRABELL_CARD_WEBENGINE
// The web engine module, built into the player (app/WebEngineModule.cpp.in).
extern "C" const char lyCardWebEngine[];
extern "C" const char lyCardWebEngineEnd[];
#endif

// The card player. Cards are this program with the card's media appended behind it.
int main(int argc, char **argv)
{
#ifdef LYRABELL_CARD_WEBENGINE
    ly::platform::EndProgram(
        ly::player::RunPlayer(argc, argv, QByteArrayView(lyCardWebEngine, lyCardWebEngineEnd)));
#else
    ly::platform::EndProgram(ly::player::RunPlayer(argc, argv));
#endif
}
