#include "mail/SmtpClient.h"

#include "mail/SmtpFakeServer.h"
#include "shared/Error.h"
#include "support/Sandbox.h"

#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using lytest::SmtpFakeServer;

const QStringList kGreeted = {"S: 220 fake ready", "C: EHLO me", "S: 250 fake"};

// The client against a scripted server; every signal is written down as an event line.
class SmtpClientTest : public ::testing::Test
{
protected:
    SmtpClientTest()
    {
        client.Host = QStringLiteral("127.0.0.1");
        client.HeloName = QStringLiteral("me");
        client.TimeOut = 3000;
        const auto ends = [this](const QString &event) {
            events.append(event);
            ++m_ends;
        };
        QObject::connect(&client, &TSmtpClient::OnConnect, [ends] { ends("connect"); });
        QObject::connect(&client, &TSmtpClient::OnTransactionDone,
                         [ends](int code) { ends(QStringLiteral("transaction %1").arg(code)); });
        QObject::connect(&client, &TSmtpClient::OnSuccess, [ends] { ends("success"); });
        QObject::connect(&client, &TSmtpClient::OnDisconnect, [ends] { ends("disconnect"); });
        QObject::connect(&client, &TSmtpClient::OnFailure,
                         [ends](const QString &text) { ends("failure: " + text); });
        QObject::connect(&client, &TSmtpClient::OnConnectionFailed,
                         [this] { events.append("connection failed"); });
        QObject::connect(&client, &TSmtpClient::OnRecipientNotFound, [this](const QString &a) {
            events.append("recipient not found " + a);
        });
        QObject::connect(&client, &TSmtpClient::OnPacketSent,
                         [this](qint64 sent, qint64 total) { packets.append({sent, total}); });
        QObject::connect(&client, &TSmtpClient::OnAuthenticationFailed,
                         [this](QString &userId, bool &retry) {
                             events.append("authentication failed " + userId);
                             if (!newUserId.isEmpty()) {
                                 userId = newUserId;
                                 retry = true;
                             }
                         });
    }

    // Starts an operation and waits, bounded, until it ends; returns the event that ended it.
    QString run(const std::function<void()> &start, int timeoutMs = 10000)
    {
        const int before = m_ends;
        start();
        if (!QTest::qWaitFor([&] { return m_ends > before; }, timeoutMs))
            return QStringLiteral("still running");
        return events.last();
    }

    QString connectTo(const SmtpFakeServer &server)
    {
        client.Port = server.port();
        return run([this] { client.Connect(); });
    }

    void fillMessage()
    {
        client.MailMessage.FromName = QStringLiteral("Me");
        client.MailMessage.FromAddress = QStringLiteral("me@x.test");
        client.MailMessage.ToAddress = {QStringLiteral("Ann <ann@x.test>"),
                                        QStringLiteral("bob@x.test")};
        client.MailMessage.ToCarbonCopy = {QStringLiteral("carol@x.test")};
        client.MailMessage.ToBlindCarbonCopy = {QStringLiteral("hidden:dan@x.test:")};
        client.MailMessage.Subject = QStringLiteral("Hi");
        client.MailMessage.Date = QStringLiteral("2024-01-02 03:04:05");
        client.MailMessage.Body = {QStringLiteral("."), QStringLiteral("end")};
    }

    TSmtpClient client;
    QStringList events;
    QList<std::pair<qint64, qint64>> packets;
    QString newUserId; // given by the OnAuthenticationFailed handler when not empty

private:
    int m_ends = 0;
};

TEST_F(SmtpClientTest, ReplyLinesSplitOverSegmentsAreReadWhole)
{
    SmtpFakeServer server({"P: 22", "W: 40", "P: 0-first gre", "W: 40", "S: eting",
                           "S:  second", "P: 220 ready\r", "W: 40", "P: \n",
                           "C: EHLO me", "P: 250-mail.test", "W: 40", "S: ", "P: 250 AUTH",
                           "W: 40", "S:  LOGIN", "C: NOOP", "S: 250 2.0.0 OK"});
    ASSERT_EQ(connectTo(server), "connect");
    EXPECT_EQ(client.ReplyCode(), 250);
    EXPECT_EQ(client.ReplyText(), QStringLiteral("250-mail.test"));
    // The next command gets its own reply, not a left-over line of the last one.
    EXPECT_EQ(run([this] { client.Transaction(QStringLiteral("NOOP")); }), "transaction 250");
    EXPECT_EQ(client.ReplyText(), QStringLiteral("250 2.0.0 OK"));
    EXPECT_EQ(server.received(), server.scriptedLines());
}

TEST_F(SmtpClientTest, SendMailRunsTheTransactionAndSkipsRefusedRecipients)
{
    SmtpFakeServer server(kGreeted
                          + QStringList{"C: RSET", "S: 250-flushed", "S: 250 ok",
                                        "C: MAIL FROM:<me@x.test>", "S: 250-sender", "S: 250 ok",
                                        "C: RCPT TO:<ann@x.test>", "S: 250 ok",
                                        "C: RCPT TO:<bob@x.test>", "S: 550-no such",
                                        "S: 550 user", "C: RCPT TO:<carol@x.test>",
                                        "S: 250 ok", "C: RCPT TO:<dan@x.test>", "S: 451 later",
                                        "C: DATA", "S: 354 go on", "D:", "S: 250 queued",
                                        "C: NOOP", "S: 250 ok"});
    ASSERT_EQ(connectTo(server), "connect");
    fillMessage();
    EXPECT_EQ(run([this] { client.SendMail(); }), "success");
    EXPECT_TRUE(events.contains("recipient not found bob@x.test"));
    EXPECT_TRUE(events.contains("recipient not found dan@x.test"));
    // The conversation is still in step after the multi-line replies.
    EXPECT_EQ(run([this] { client.Transaction(QStringLiteral("NOOP")); }), "transaction 250");
    EXPECT_EQ(server.received(), server.scriptedLines());

    EXPECT_TRUE(server.data().startsWith("From: Me <me@x.test>\r\n"));
    EXPECT_TRUE(server.data().endsWith("\r\n\r\n..\r\nend\r\n"));
    ASSERT_FALSE(packets.isEmpty());
    EXPECT_EQ(packets.last(), std::make_pair(server.data().size(), server.data().size()));
    // ClearParams: recipients and attachments go, the rest stays.
    EXPECT_FALSE(client.MailMessage.HasRecipients());
    EXPECT_EQ(client.MailMessage.Subject, QStringLiteral("Hi"));
}

struct GreetingCase
{
    const char *name;
    QStringList script;
    QString newUserId;
    QString end;
    QStringList refusals; // OnAuthenticationFailed calls
};

TEST_F(SmtpClientTest, Greeting)
{
    const GreetingCase cases[] = {
        {"EHLO taken", kGreeted, {}, "connect", {}},
        {"continuation lines, one beginning with a space",
         {"S: 220-one", "S:  two", "S: 220 three", "C: EHLO me", "S: 250-a", "S: 250 b"},
         {},
         "connect",
         {}},
        {"EHLO unknown, HELO taken",
         {"S: 220 hi", "C: EHLO me", "S: 502 what?", "C: HELO me", "S: 250 hello"},
         {},
         "connect",
         {}},
        {"refused once, taken with the new name",
         {"S: 220 hi", "C: EHLO me", "S: 550 no", "C: HELO me", "S: 550 no", "C: EHLO you",
          "S: 250 welcome"},
         "you",
         "connect",
         {"authentication failed me"}},
        {"refused twice",
         {"S: 220 hi", "C: EHLO me", "S: 550 no", "C: HELO me", "S: 550 no", "C: EHLO you",
          "S: 550 no", "C: HELO you", "S: 550 still no"},
         "you",
         "failure: Authentication failed",
         {"authentication failed me"}},
        {"refused, no new name",
         {"S: 220 hi", "C: EHLO me", "S: 550 no", "C: HELO me", "S: 550 no"},
         {},
         "failure: Authentication failed",
         {"authentication failed me"}},
        {"server refuses service", {"S: 554 no service here"}, {}, "failure: 554 no service here",
         {}},
    };
    for (const GreetingCase &c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        newUserId = c.newUserId;
        client.HeloName = QStringLiteral("me");
        SmtpFakeServer server(c.script);
        EXPECT_EQ(connectTo(server), c.end);
        QStringList refusals;
        for (const QString &e : events) {
            if (e.startsWith(QLatin1String("authentication failed")))
                refusals.append(e);
        }
        EXPECT_EQ(refusals, c.refusals);
        EXPECT_FALSE(events.contains("connection failed"));
        // Anything the client sent that it should not have arrives before a barrier: its QUIT
        // while it is still connected, the end of the connection once it has given up.
        QStringList expected = server.scriptedLines();
        if (client.Connected()) {
            client.Disconnect();
            expected.append("QUIT");
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return server.received().size() > server.scriptedLines().size(); }, 10000));
        } else {
            EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientClosed(); }, 10000));
        }
        EXPECT_EQ(server.received(), expected);
        if (!c.newUserId.isEmpty()) {
            EXPECT_EQ(client.HeloName, c.newUserId);
        }
        client.Abort();
    }
}

TEST_F(SmtpClientTest, SilentServerTimesOut)
{
    client.TimeOut = 200;
    const QList<QStringList> scripts = {
        {},                                  // never greets
        {"S: 220 hi", "C: EHLO me"},         // no reply to EHLO
        {"S: 220 hi", "C: EHLO me", "P: 250-half a line"},
        {"S: 220-hi"},                        // the greeting never ends
    };
    for (const QStringList &script : scripts) {
        SCOPED_TRACE(script.join(" | ").toStdString());
        events.clear();
        SmtpFakeServer server(script);
        EXPECT_EQ(connectTo(server), "failure: Timed out waiting for the mail server's reply");
        EXPECT_FALSE(events.contains("connection failed"));
        EXPECT_FALSE(client.Connected());
    }
}

TEST_F(SmtpClientTest, SilentServerDuringTheTransactionTimesOut)
{
    client.TimeOut = 200;
    SmtpFakeServer server(kGreeted + QStringList{"C: RSET", "S: 250 ok", "C: MAIL FROM:<me@x.test>"});
    ASSERT_EQ(connectTo(server), "connect");
    fillMessage();
    EXPECT_EQ(run([this] { client.SendMail(); }),
              "failure: Timed out waiting for the mail server's reply");
    EXPECT_FALSE(client.Connected());
    // The message is kept for another attempt.
    EXPECT_TRUE(client.MailMessage.HasRecipients());
}

TEST_F(SmtpClientTest, ConnectionRefusedRaisesOnConnectionFailed)
{
    client.Port = lytest::closedPort();
    const QString end = run([this] { client.Connect(); });
    EXPECT_TRUE(end.startsWith("failure: ")) << end.toStdString();
    EXPECT_EQ(events.first(), "connection failed");
    EXPECT_FALSE(client.Connected());
}

TEST_F(SmtpClientTest, UnknownHostFailsWithoutConnectionFailure)
{
    client.Host = QStringLiteral("no-such-host.invalid");
    const QString end = run([this] { client.Connect(); });
    EXPECT_TRUE(end.startsWith("failure: ")) << end.toStdString();
    EXPECT_FALSE(events.contains("connection failed"));
}

TEST_F(SmtpClientTest, HostNameIsLookedUp)
{
    SmtpFakeServer server(kGreeted);
    client.Host = QStringLiteral("localhost");
    EXPECT_EQ(connectTo(server), "connect");
}

TEST_F(SmtpClientTest, ConnectionDroppedInTheMiddleOfDataFailsCleanly)
{
    lytest::Sandbox sandbox;
    QByteArray big(1024 * 1024, '\0');
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char(i * 7 + i / 251);
    SmtpFakeServer server(kGreeted
                          + QStringList{"C: RSET", "S: 250 ok", "C: MAIL FROM:<me@x.test>",
                                        "S: 250 ok", "C: RCPT TO:<ann@x.test>", "S: 250 ok",
                                        "C: RCPT TO:<bob@x.test>", "S: 250 ok",
                                        "C: RCPT TO:<carol@x.test>", "S: 250 ok",
                                        "C: RCPT TO:<dan@x.test>", "S: 250 ok", "C: DATA",
                                        "S: 354 go on", "R: 100000", "X:"});
    ASSERT_EQ(connectTo(server), "connect");
    fillMessage();
    client.MailMessage.Attachments = {sandbox.writeFile(QStringLiteral("big.bin"), big)};
    const QString end = run([this] { client.SendMail(); });
    EXPECT_TRUE(end.startsWith("failure: ")) << end.toStdString();
    EXPECT_FALSE(events.contains("success"));
    EXPECT_FALSE(client.Connected());
    ASSERT_FALSE(packets.isEmpty());
    EXPECT_LT(packets.last().first, packets.last().second);
}

TEST_F(SmtpClientTest, AbortEndsAWaitAtOnce)
{
    client.TimeOut = 60000;
    SmtpFakeServer server({"S: 220 hi", "C: EHLO me"});
    client.Port = server.port();
    QTimer::singleShot(100, &client, [this] { client.Abort(); });
    // Far less than the time-out: only the abort can end the wait.
    EXPECT_EQ(run([this] { client.Connect(); }, 20000), "failure: Aborted");
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(client.Busy());
}

TEST_F(SmtpClientTest, RefusedCommandFailsWithTheReplyAndKeepsTheConversation)
{
    const QStringList toData = {"C: RSET", "S: 250 ok", "C: MAIL FROM:<me@x.test>", "S: 250 ok",
                                "C: RCPT TO:<ann@x.test>", "S: 250 ok",
                                "C: RCPT TO:<bob@x.test>", "S: 250 ok",
                                "C: RCPT TO:<carol@x.test>", "S: 250 ok",
                                "C: RCPT TO:<dan@x.test>", "S: 250 ok", "C: DATA"};
    const std::pair<QStringList, QString> cases[] = {
        {{"C: RSET", "S: 500 what"}, "500 what"},
        {{"C: RSET", "S: 250 ok", "C: MAIL FROM:<me@x.test>", "S: 553 sender refused"},
         "553 sender refused"},
        {toData + QStringList{"S: 554 no valid recipients"}, "554 no valid recipients"},
        {toData + QStringList{"S: 354 go", "D:", "S: 552 too big"}, "552 too big"},
    };
    for (const auto &[steps, reply] : cases) {
        SCOPED_TRACE(reply.toStdString());
        events.clear();
        SmtpFakeServer server(kGreeted + steps + QStringList{"C: QUIT", "S: 221 bye"});
        ASSERT_EQ(connectTo(server), "connect");
        fillMessage();
        EXPECT_EQ(run([this] { client.SendMail(); }), "failure: " + reply);
        EXPECT_TRUE(client.MailMessage.HasRecipients());
        ASSERT_TRUE(client.Connected());
        EXPECT_EQ(run([this] { client.Disconnect(); }), "disconnect");
        EXPECT_EQ(server.received(), server.scriptedLines());
    }
}

TEST_F(SmtpClientTest, DisconnectClosesTheSocketWhateverTheReply)
{
    const std::pair<QString, QString> cases[] = {{"221 bye", "disconnect"},
                                                 {"339 odd but fine", "disconnect"},
                                                 {"500 what", "failure: 500 what"}};
    for (const auto &[reply, end] : cases) {
        SmtpFakeServer server(kGreeted + QStringList{"C: QUIT", "S: " + reply});
        ASSERT_EQ(connectTo(server), "connect");
        EXPECT_EQ(run([this] { client.Disconnect(); }), end);
        EXPECT_FALSE(client.Connected());
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientClosed(); }, 5000));
    }
}

TEST_F(SmtpClientTest, OperationsInTheWrongStateThrow)
{
    EXPECT_THROW(client.SendMail(), ly::Error);
    EXPECT_THROW(client.Transaction(QStringLiteral("NOOP")), ly::Error);
    EXPECT_THROW(client.Disconnect(), ly::Error);
    SmtpFakeServer server(kGreeted);
    ASSERT_EQ(connectTo(server), "connect");
    EXPECT_THROW(client.Connect(), ly::Error);
}

TEST_F(SmtpClientTest, MessageProblemsFailBeforeAnyCommand)
{
    lytest::Sandbox sandbox;
    const std::pair<std::function<void(TMailMessage &)>, QString> cases[] = {
        {[](TMailMessage &m) { m.FromAddress.clear(); }, "Incomplete Header"},
        {[](TMailMessage &m) {
             m.ToAddress.clear();
             m.ToCarbonCopy.clear();
             m.ToBlindCarbonCopy.clear();
         },
         "Incomplete Header"},
        {[&](TMailMessage &m) { m.Attachments = {sandbox.root() + "missing.bin"}; },
         "Cannot open file \"" + sandbox.root() + "missing.bin\". No such file or directory"},
    };
    SmtpFakeServer server(kGreeted);
    ASSERT_EQ(connectTo(server), "connect");
    for (const auto &[spoil, text] : cases) {
        fillMessage();
        spoil(client.MailMessage);
        try {
            client.SendMail();
            ADD_FAILURE() << "no error for " << text.toStdString();
        } catch (const ly::Error &e) {
            EXPECT_EQ(e.text(), text);
        }
        EXPECT_FALSE(client.Busy());
    }
    QTest::qWait(50);
    EXPECT_EQ(server.received(), QStringList{"EHLO me"});
}

TEST_F(SmtpClientTest, LineBreakInACommandValueCannotStartACommand)
{
    client.HeloName = QStringLiteral("me\r\nRSET\nQUIT");
    SmtpFakeServer server({"S: 220 hi", "C: EHLO me RSET QUIT", "S: 250 ok"});
    EXPECT_EQ(connectTo(server), "connect");
    QTest::qWait(50);
    EXPECT_EQ(server.received(), server.scriptedLines());
}

TEST_F(SmtpClientTest, EndlessReplyLineEndsTheConversation)
{
    SmtpFakeServer server({"P: 220 " + QString(70 * 1024, QLatin1Char('x'))});
    EXPECT_EQ(connectTo(server), "failure: The mail server's reply is too long");
    EXPECT_FALSE(client.Connected());
}

} // namespace
