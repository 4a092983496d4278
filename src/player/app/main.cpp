#include "player/widgets/PlayerApp.h"

// The card player. Cards are this program with the card's media appended behind it.
int main(int argc, char **argv)
{
    return ly::player::RunPlayer(argc, argv);
}
