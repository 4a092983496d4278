#include "platform/ConnectionState.h"

#include <algorithm>

namespace ly::platform {

bool IsConnected(const QList<QNetworkInterface::InterfaceFlags> &interfaces)
{
    const auto upAndRunning = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
    return std::any_of(interfaces.begin(), interfaces.end(),
                       [&](QNetworkInterface::InterfaceFlags f) { return (f & upAndRunning) == upAndRunning; });
}

bool IsConnected()
{
    QList<QNetworkInterface::InterfaceFlags> flags;
    for (const QNetworkInterface &i : QNetworkInterface::allInterfaces())
        flags << i.flags();
    return IsConnected(flags);
}

} // namespace ly::platform
