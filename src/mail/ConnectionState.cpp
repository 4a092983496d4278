#include "mail/ConnectionState.h"

#include <QNetworkInterface>

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
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        const auto flags = i.flags();
        if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning))
            return true;
    }
    return false;
}

} // namespace ly::mail
