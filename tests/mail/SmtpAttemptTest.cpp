#include "mail/SmtpAttempt.h"
#include "mail/SmtpClient.h"

#include "mail/SmtpFakeServer.h"
#include "mail/SmtpSecurity.h"

#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

using lytest::SmtpFakeServer;
using Outcome = TSmtpAttempt::Outcome;

// Greeting and login of "alice"/"secret" as the attempt makes them.
const QStringList kLoggedIn = {"S: 220 hi",         "C: EHLO me",   "S: 250-fake",
                               "S: 250 AUTH LOGIN", "C: AUTH LOGIN", "S: 334 VXNlcm5hbWU6",
                               "C: YWxpY2U=",       "S: 334 UGFzc3dvcmQ6", "C: c2VjcmV0",
                               "S: 235 welcome"};
const QStringList kAccepted = {"C: RSET", "S: 250 ok", "C: MAIL FROM:<me@x.test>", "S: 250 ok",
                               "C: RCPT TO:<ann@x.test>", "S: 250 ok", "C: DATA", "S: 354 go",
                               "D:", "S: 250 queued"};

struct Case
{
    const char *name;
    QStringList script;
    Outcome outcome;
    QString detail;
    ly::mail::SmtpSecurity security = ly::mail::SmtpSecurity::None;
};

const QStringList kQuit = {"C: QUIT", "S: 221 bye"};

TEST(SmtpAttemptTest, OutcomeAndGoodbye)
{
    const Case cases[] = {
        {"sent", kLoggedIn + kAccepted + QStringList{"C: QUIT", "S: 221 bye"}, Outcome::Sent, {}},
        // The mail was taken with the reply to "."; a failing goodbye must not make the
        // window send it again.
        {"goodbye refused after the mail was taken",
         kLoggedIn + kAccepted + QStringList{"C: QUIT", "S: 500 what"}, Outcome::Sent, {}},
        {"goodbye unanswered after the mail was taken",
         kLoggedIn + kAccepted + QStringList{"C: QUIT", "X:"}, Outcome::Sent, {}},
        {"refused sender: QUIT while the conversation is in step",
         kLoggedIn
             + QStringList{"C: RSET", "S: 250 ok", "C: MAIL FROM:<me@x.test>", "S: 553 no",
                           "C: QUIT", "S: 221 bye"},
         Outcome::Failed, "553 no"},
        {"login mechanism refused: not the login values, QUIT",
         {"S: 220 hi", "C: EHLO me", "S: 250 fake", "C: AUTH LOGIN", "S: 504 unknown",
          "C: QUIT", "S: 221 bye"},
         Outcome::AuthRefused, "504 unknown"},
        {"wrong password: dropped without QUIT",
         {"S: 220 hi", "C: EHLO me", "S: 250 fake", "C: AUTH LOGIN", "S: 334 VXNlcm5hbWU6",
          "C: YWxpY2U=", "S: 334 UGFzc3dvcmQ6", "C: c2VjcmV0", "S: 535 invalid"},
         Outcome::LoginRefused, "535 invalid"},
        {"greeting answered with other than 250: no login",
         {"S: 220 hi", "C: EHLO me", "S: 251 odd"}, Outcome::LoginRefused, "251 odd"},
        // TLS offered: no AUTH line may follow on the clear connection.
        {"STARTTLS offered, then refused",
         QStringList{"S: 220 hi", "C: EHLO me", "S: 250-fake", "S: 250-STARTTLS",
                     "S: 250 AUTH LOGIN", "C: STARTTLS", "S: 454 4.7.0 TLS not available"}
             + kQuit,
         Outcome::TlsFailed, "The server refused STARTTLS: 454 4.7.0 TLS not available"},
        {"STARTTLS accepted, then the connection dropped in the handshake",
         {"S: 220 hi", "C: EHLO me", "S: 250-fake", "S: 250 STARTTLS", "C: STARTTLS",
          "S: 220 go ahead", "X:"},
         Outcome::TlsFailed, "The remote host closed the connection"},
        {"STARTTLS asked for but not offered",
         QStringList{"S: 220 hi", "C: EHLO me", "S: 250 fake"} + kQuit, Outcome::TlsFailed,
         "The server does not offer STARTTLS", ly::mail::SmtpSecurity::StartTls},
        {"login only over TLS",
         QStringList{"S: 220 hi", "C: EHLO me", "S: 250 fake", "C: AUTH LOGIN",
                     "S: 530 5.7.0 Must issue a STARTTLS command first"}
             + kQuit,
         Outcome::TlsRequired, "530 5.7.0 Must issue a STARTTLS command first"},
        {"mail only over TLS",
         kLoggedIn
             + QStringList{"C: RSET", "S: 250 ok", "C: MAIL FROM:<me@x.test>",
                           "S: 530 5.7.0 Must issue a STARTTLS command first"}
             + kQuit,
         Outcome::TlsRequired, "530 5.7.0 Must issue a STARTTLS command first"},
        {"PLAIN where no LOGIN",
         QStringList{"S: 220 hi", "C: EHLO me", "S: 250-fake", "S: 250 AUTH PLAIN CRAM-MD5",
                     "C: AUTH PLAIN AGFsaWNlAHNlY3JldA==", "S: 235 ok"}
             + kAccepted + kQuit,
         Outcome::Sent, {}},
        {"PLAIN with a wrong password: dropped without QUIT",
         {"S: 220 hi", "C: EHLO me", "S: 250-fake", "S: 250 AUTH=PLAIN",
          "C: AUTH PLAIN AGFsaWNlAHNlY3JldA==", "S: 535 5.7.8 bad credentials"},
         Outcome::LoginRefused, "535 5.7.8 bad credentials"},
        {"AUTH refused for another reason than the values",
         QStringList{"S: 220 hi", "C: EHLO me", "S: 250 fake", "C: AUTH LOGIN",
                     "S: 334 VXNlcm5hbWU6", "C: YWxpY2U=", "S: 334 UGFzc3dvcmQ6", "C: c2VjcmV0",
                     "S: 454 4.7.0 Temporary authentication failure"}
             + kQuit,
         Outcome::AuthRefused, "454 4.7.0 Temporary authentication failure"},
        {"connection lost during the login",
         {"S: 220 hi", "C: EHLO me", "S: 250 fake", "C: AUTH LOGIN", "X:"},
         Outcome::LoginFailed, "The mail server closed the connection"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SmtpFakeServer server(c.script);
        TSmtpClient client;
        client.Host = QStringLiteral("127.0.0.1");
        client.Port = server.port();
        client.HeloName = QStringLiteral("me");
        client.TimeOut = 3000;
        client.Security = c.security;
        TMailMessage message;
        message.FromAddress = QStringLiteral("me@x.test");
        message.ToAddress = {QStringLiteral("ann@x.test")};
        TSmtpAttempt attempt(client);
        std::optional<Outcome> outcome;
        QString detail;
        QObject::connect(&attempt, &TSmtpAttempt::Finished, [&](Outcome o, const QString &d) {
            outcome = o;
            detail = d;
        });
        attempt.Start(message, QStringLiteral("alice"), QStringLiteral("secret"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000));
        EXPECT_EQ(*outcome, c.outcome);
        EXPECT_EQ(detail, c.detail);
        EXPECT_FALSE(client.Connected());
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientClosed(); }, 5000));
        EXPECT_EQ(server.received(), server.scriptedLines());
    }
}

TEST(SmtpAttemptTest, ConnectionRefused)
{
    TSmtpClient client;
    client.Host = QStringLiteral("127.0.0.1");
    client.Port = lytest::closedPort();
    TSmtpAttempt attempt(client);
    std::optional<Outcome> outcome;
    QObject::connect(&attempt, &TSmtpAttempt::Finished,
                     [&](Outcome o, const QString &) { outcome = o; });
    attempt.Start(TMailMessage(), QStringLiteral("alice"), QStringLiteral("secret"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000));
    EXPECT_EQ(*outcome, Outcome::ConnectionFailed);
}

} // namespace
