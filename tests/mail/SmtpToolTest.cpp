#include "mail/SmtpFakeServer.h"
#include "mail/SmtpSecurity.h"
#include "mail/SmtpTestServer.h"
#include "mail/TestAuthority.h"
#include "support/Sandbox.h"
#include "support/ToolRunner.h"

#include <QHostInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

using lytest::SmtpFakeServer;
using lytest::SmtpTestServer;

const QByteArray kSendFailure = "The letter sends out the failure!Please try...\n";
const QByteArray kLoginRefused =
    "The mail verifies the mistake, please check the mailbox to install the information!\n";
const QByteArray kNetworkProblem =
    "Execuse me, your setup  existence problem or network impassability!\n";

using lytest::ToolResult;

// Runs "lyrabell-tool sendmail" while this process's event loop keeps going, so that a
// scripted server in the test can answer it.
ToolResult sendmail(const QStringList &args, int timeoutMs = 60000,
                    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(lytest::builtProgramDir() + QStringLiteral("lyrabell-tool"),
            QStringList{QStringLiteral("sendmail")} + args);
    ToolResult r;
    if (!QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        r.err = "still running";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QStringList account(quint16 port, const QString &password = QStringLiteral("secret"))
{
    return {"--host", "127.0.0.1", "--port", QString::number(port), "--user", "alice",
            "--password", password, "--from-name", "Lyra", "--from", "lyra@x.test",
            "--subject", "Card"};
}

using SmtpToolTest = lytest::SandboxTest;

TEST_F(SmtpToolTest, DeliversHeadersBodyAndABinaryAttachment)
{
    SmtpTestServer server;
    ASSERT_NE(server.port(), 0) << server.error().toStdString();
    QByteArray card(1024 * 1024, '\0');
    QRandomGenerator random(5);
    for (qsizetype i = 0; i < card.size(); ++i)
        card[i] = char(random.bounded(256));
    const QString cardPath = sandbox.writeFile(QStringLiteral("out/My Card.exe"), card);
    const QString bodyPath =
        sandbox.writeFile(QStringLiteral("body.txt"), "Hello\r\n.\r\n\r\nBye\r\n");

    const ToolResult r = sendmail(account(server.port())
                           + QStringList{"--to", "Ann <ann@x.test>;bob@x.test;", "--cc",
                                         "carol@x.test", "--body-file", bodyPath, "--attach",
                                         cardPath});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("The mail sends out to complete!\n"));
    EXPECT_EQ(server.events().filter(QRegularExpression("^RCPT ")),
              QStringList({"RCPT ann@x.test true", "RCPT bob@x.test true",
                           "RCPT carol@x.test true"}));

    const QByteArray mail = server.mail(1);
    const QRegularExpression head(QStringLiteral(
        "^From: Lyra <lyra@x.test>\r\n"
        "To: Ann <ann@x.test>, bob@x.test\r\n"
        "CC: carol@x.test\r\n"
        "Subject: Card\r\n"
        "Date: [A-Z][a-z]{2}, \\d\\d? [A-Z][a-z]{2} \\d{4} \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\r\n"
        "Message-ID: <[0-9a-f.a-z]+@x.test>\r\n"
        "Mime-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=\"(={20}54535[a-y]{6}====)\"\r\n"
        "\r\n\r\n"
        "--\\1\r\n"
        "Content-Type: text/plain; charset=us-ascii\r\n\r\n"
        "Hello\r\n.\r\n\r\nBye\r\n"
        "--\\1\r\n"
        "Content-Type: application/octet-stream; name=\"My Card.exe\"\r\n"
        "Content-Transfer-Encoding: base64\r\n"
        "Content-Disposition: attachment; filename=\"My Card.exe\"\r\n\r\n"));
    const QRegularExpressionMatch m = head.match(QString::fromLatin1(mail.left(2000)));
    ASSERT_TRUE(m.hasMatch()) << mail.left(2000).toStdString();
    const QByteArray tail = "--" + m.captured(1).toLatin1() + "--\r\n";
    ASSERT_TRUE(mail.endsWith(tail));
    const QByteArray base64 =
        mail.mid(m.capturedLength(), mail.size() - m.capturedLength() - tail.size());
    EXPECT_EQ(QByteArray::fromBase64(base64), card);
}

TEST_F(SmtpToolTest, FailuresAgainstARealServer)
{
    const struct
    {
        QStringList serverArguments;
        QString password;
        QString to;
        int exitCode;
        QByteArray err;
        QByteArray out;
    } cases[] = {
        {{}, "wrong", "ann@x.test", 1,
         kLoginRefused + "535 5.7.8 Authentication credentials invalid\n", ""},
        {{"--refuse-rcpt", "nobody"}, "secret", "nobody@x.test", 1,
         kSendFailure + "503 Error: need RCPT command\n",
         "Recipient refused: nobody@x.test (550 5.1.1 No such user here)\n"},
        {{"--refuse-rcpt", "nobody"}, "secret", "nobody@x.test;ann@x.test", 0, "",
         "Recipient refused: nobody@x.test (550 5.1.1 No such user here)\n"
         "The mail sends out to complete!\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.to.toStdString() + " " + c.password.toStdString());
        SmtpTestServer server(c.serverArguments);
        ASSERT_NE(server.port(), 0) << server.error().toStdString();
        const ToolResult r = sendmail(account(server.port(), c.password) + QStringList{"--to", c.to});
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, c.out);
    }
}

// Greeting and login of "alice"/"secret" as the tool makes them.
// The tool greets with this machine's name, or its address on the loopback connection.
const QString kGreeting = QStringLiteral("C: EHLO ")
                          + ly::mail::GreetingName(QHostInfo::localHostName(),
                                                   QHostInfo::localDomainName(),
                                                   QHostAddress(QHostAddress::LocalHost));
const QStringList kLoggedIn = {"S: 220 hi",         kGreeting,       "S: 250-fake",
                               "S: 250 AUTH LOGIN", "C: AUTH LOGIN", "S: 334 VXNlcm5hbWU6",
                               "C: YWxpY2U=",       "S: 334 UGFzc3dvcmQ6", "C: c2VjcmV0",
                               "S: 235 welcome"};

TEST_F(SmtpToolTest, FailuresAgainstAScriptedServer)
{
    QByteArray big(1024 * 1024, 'z');
    const QString bigPath = sandbox.writeFile(QStringLiteral("big.bin"), big);
    const QString missing = sandbox.root() + QStringLiteral("missing.bin");
    const struct
    {
        const char *name;
        QStringList script;
        QString attachment;
        QByteArray err;
    } cases[] = {
        {"silent server", {}, {}, kSendFailure + "Timed out waiting for the mail server's reply\n"},
        {"connection dropped in the middle of DATA",
         kLoggedIn
             + QStringList{"C: RSET", "S: 250 ok", "C: MAIL FROM:<lyra@x.test>", "S: 250 ok",
                           "C: RCPT TO:<ann@x.test>", "S: 250 ok", "C: DATA", "S: 354 go",
                           "R: 100000", "X:"},
         bigPath, kSendFailure},
        {"unreadable attachment", kLoggedIn + QStringList{"C: QUIT", "S: 221 bye"}, missing,
         kSendFailure + "Cannot open file \"" + missing.toUtf8() + "\". "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SmtpFakeServer server(c.script);
        QStringList args = account(server.port()) + QStringList{"--to", "ann@x.test"};
        if (!c.attachment.isEmpty())
            args << "--attach" << c.attachment;
        const ToolResult r = sendmail(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientClosed(); }, 5000));
        EXPECT_EQ(server.received(), server.scriptedLines());
    }
}

TEST_F(SmtpToolTest, ConnectionRefusedAndNoRecipient)
{
    const quint16 port = lytest::closedPort();
    ToolResult r = sendmail(account(port) + QStringList{"--to", "ann@x.test"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(kNetworkProblem)) << r.err.toStdString();

    // Copy recipients alone do not make a mail.
    r = sendmail(account(port) + QStringList{"--to", "nobody", "--cc", "ann@x.test"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QByteArray("Execuse me, please establish personal mail!\n"));
}

TEST_F(SmtpToolTest, TlsModesAndTheirFailures)
{
    const lytest::TestAuthority &ca = lytest::TestAuthority::get();
    ASSERT_TRUE(ca.error.isEmpty()) << ca.error.toStdString();
    const QStringList certificate = lytest::TestAuthority::serverArguments(ca.server);
    QProcessEnvironment trusting = QProcessEnvironment::systemEnvironment();
    trusting.insert("SSL_CERT_FILE", ca.authority);
    const struct
    {
        const char *name;
        QStringList serverArguments;
        QStringList toolArguments;
        QProcessEnvironment environment;
        int exitCode;
        QByteArray err; // its start
    } cases[] = {
        {"STARTTLS, authority named by an option", QStringList{"--starttls"} + certificate,
         {"--security", "starttls", "--ca-file", ca.authority},
         QProcessEnvironment::systemEnvironment(), 0, ""},
        {"implicit TLS, authority named by SSL_CERT_FILE",
         QStringList{"--implicit-tls"} + certificate, {"--security", "tls"}, trusting, 0, ""},
        {"implicit TLS, authority not trusted", QStringList{"--implicit-tls"} + certificate,
         {"--security", "tls"}, QProcessEnvironment::systemEnvironment(), 1,
         ly::mail::TlsFailedMessage("localhost", "").toUtf8()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SmtpTestServer server(c.serverArguments);
        ASSERT_NE(server.port(), 0) << server.error().toStdString();
        QStringList args =
            account(server.port()) + QStringList{"--to", "ann@x.test"} + c.toolArguments;
        args[1] = "localhost";
        const ToolResult r = sendmail(args, 60000, c.environment);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
        EXPECT_EQ(r.out, c.exitCode == 0 ? QByteArray("The mail sends out to complete!\n") : QByteArray());
        EXPECT_TRUE(server.events().filter(QRegularExpression("^AUTH ")).isEmpty() == (c.exitCode != 0));
    }
}

TEST_F(SmtpToolTest, RefusalsThatAreNotTheLoginValues)
{
    const QStringList greeted = {"S: 220 hi", kGreeting, "S: 250 fake", "C: AUTH LOGIN"};
    const std::pair<QStringList, QByteArray> cases[] = {
        {greeted + QStringList{"S: 530 5.7.0 Must issue a STARTTLS command first", "C: QUIT", "S: 221 bye"},
         ly::mail::TlsRequiredMessage("127.0.0.1").toUtf8()
             + "\n530 5.7.0 Must issue a STARTTLS command first\n"},
        {greeted + QStringList{"S: 504 5.5.4 Unrecognized authentication type", "C: QUIT", "S: 221 bye"},
         ly::mail::AuthRefusedMessage("127.0.0.1", "504 5.5.4 Unrecognized authentication type").toUtf8() + "\n"},
    };
    for (const auto &[script, err] : cases) {
        SmtpFakeServer server(script);
        const ToolResult r = sendmail(account(server.port()) + QStringList{"--to", "ann@x.test"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, err);
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientClosed(); }, 5000));
        EXPECT_EQ(server.received(), server.scriptedLines());
    }
}

TEST_F(SmtpToolTest, WrongArgumentsShowTheUsage)
{
    const QStringList valid = account(25) + QStringList{"--to", "ann@x.test"};
    const QList<QStringList> cases = {
        {},
        valid.mid(2),                                       // no --host
        valid + QStringList{"--port"},                      // option without value
        valid + QStringList{"--bcc", "x@y.test"},           // unknown option
        valid + QStringList{"--host", "other"},             // given twice
        QStringList{"--host", "h", "--port", "0"} + valid.mid(4), // port out of range
        QStringList{"--host", "h", "--port", "twenty-five"} + valid.mid(4),
        valid + QStringList{"--security", "ssl"},
    };
    for (const QStringList &args : cases) {
        const ToolResult r = sendmail(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("usage: lyrabell-tool sendmail --host HOST [--port N]"))
            << r.err.toStdString();
    }
}

} // namespace
