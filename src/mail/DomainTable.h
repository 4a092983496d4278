#pragma once

#include <QString>

#include <optional>

// The domain table "PopnSmtp.dat", shipped with the program and only read: one line per mail
// domain, "W=" + domain + "#S=" + SMTP server. The account settings use it to fill in the
// server when the user types a mail address.
namespace ly::mail {

// The server of the first line whose W value equals the domain exactly (case-sensitive);
// empty when no line does. A missing or unreadable table counts as a table without the domain,
// so leaving the mail-address box never fails.
QString LookUpSmtpServer(const QString &domain, const QString &tableFile);

// What leaving the mail-address box fills in: the part before the first "@" as the user name,
// and as the SMTP server the table's server for the part after it (the domain), or the domain
// itself when the table does not list it.
struct MailAddressGuess
{
    QString userName;
    QString smtpServer;
    bool serverFromTable = false; // the focus then moves on to the password
};
// Nothing when the address (trimmed) holds no "@".
std::optional<MailAddressGuess> GuessFromMailAddress(const QString &mailAddress,
                                                     const QString &tableFile);

} // namespace ly::mail
