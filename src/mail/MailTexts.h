#pragma once

#include <QString>
#include <QStringList>

// The mail program's fixed English texts that more than one place shows: the message boxes
// of the main and sending windows (and the tool's sendmail, which reports the same outcomes),
// the default subject prefix and the default body.
namespace ly::mail {

// No account, or no recipient in the To text.
inline constexpr char kNoAccountText[] = "Execuse me, please establish personal mail!";
// No network at an attempt's start, or the TCP connection could not be made.
inline constexpr char kNetworkProblemText[] =
    "Execuse me, your setup  existence problem or network impassability!";
// The third attempt failed.
inline constexpr char kSendFailureText[] = "The letter sends out the failure!Please try...";
// The network failed during the login.
inline constexpr char kConnectionFailText[] = "Connection fail!";
inline constexpr char kSentText[] = "The mail sends out to complete!";
// The server refused the login.
inline constexpr char kLoginRefusedText[] =
    "The mail verifies the mistake, please check the mailbox to install the information!";

inline constexpr char kSubjectPrefix[] = "Your greeting card came...";

// "Your greeting card came..." + "(From:" + name + ")".
QString DefaultSubject(const QString &accountName);
// The eight lines a new mail's body starts with.
QStringList DefaultBody();

} // namespace ly::mail
