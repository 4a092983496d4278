#include "shared/Version.h"

#include <cstdio>

// The card player. Cards are this program with the card's media appended behind it.
int main()
{
    std::printf("Lyrabell card player %s\n", ly::kVersionText);
    return 0;
}
