#include "mail/ConnectionState.h"

#include "platform/ConnectionState.h"

namespace ly::mail {

namespace {
std::optional<bool> g_override;
}

void OverrideInternetConnected(std::optional<bool> connected)
{
    g_override = connected;
}

bool InternetConnected()
{
    if (g_override)
        return *g_override;
    return platform::IsConnected();
}

} // namespace ly::mail
