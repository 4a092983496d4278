#pragma once

#include <QList>
#include <QNetworkInterface>

// The connection state asked before a mail is sent: connected when some network interface is
// up and running. The loopback interface counts, as a local mail server is a real peer.
namespace ly::platform {

bool IsConnected(const QList<QNetworkInterface::InterfaceFlags> &interfaces);
// The interfaces of this machine.
bool IsConnected();

} // namespace ly::platform
