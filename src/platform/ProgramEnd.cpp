#include "platform/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#if defined(__SANITIZE_ADDRESS__)
#define LY_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LY_LEAK_CHECK 1
#endif
#endif

#ifdef LY_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace ly::platform {

void EndProgram(int code)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
#ifdef LY_LEAK_CHECK
    // Ends the program itself with the sanitizer's exit code when something leaked.
    __lsan_do_leak_check();
#endif
    std::_Exit(code);
}

} // namespace ly::platform
