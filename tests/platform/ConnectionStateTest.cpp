#include "platform/ConnectionState.h"

#include <gtest/gtest.h>

namespace {

using ly::platform::IsConnected;

TEST(ConnectionStateTest, SomeInterfaceUpAndRunning)
{
    using F = QNetworkInterface::InterfaceFlag;
    using Flags = QNetworkInterface::InterfaceFlags;
    EXPECT_FALSE(IsConnected(QList<Flags>{}));
    EXPECT_FALSE(IsConnected({Flags(F::IsUp), Flags(F::IsRunning), Flags(F::CanBroadcast)}));
    EXPECT_TRUE(IsConnected({Flags(F::IsUp), F::IsUp | F::IsRunning | F::IsLoopBack}));
    // This machine has at least its loopback interface up.
    EXPECT_TRUE(IsConnected());
}

} // namespace
