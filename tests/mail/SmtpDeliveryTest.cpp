#include "mail/SmtpAttempt.h"
#include "mail/SmtpClient.h"

#include "mail/MailParser.h"
#include "mail/SmtpTestServer.h"
#include "mail/TestAuthority.h"
#include "support/Sandbox.h"

#include <QCryptographicHash>
#include <QJsonArray>

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

using lytest::SmtpTestServer;
using Outcome = TSmtpAttempt::Outcome;

const QRegularExpression kDateLine(
    QStringLiteral("\r\nDate: ([A-Z][a-z]{2}, \\d\\d? [A-Z][a-z]{2} \\d{4} \\d\\d:\\d\\d:\\d\\d [+-]\\d{4})\r\n"
                   "Message-ID: (<[0-9a-f]{32}\\.[0-9a-z]+@x\\.test>)\r\n"));

TMailMessage greetingMail()
{
    TMailMessage m;
    m.FromName = QStringLiteral("Lyra");
    m.FromAddress = QStringLiteral("lyra@x.test");
    m.ToAddress = {QStringLiteral("Ann Lee <ann@x.test>"), QStringLiteral("bob@x.test")};
    m.ToCarbonCopy = {QStringLiteral("carol@x.test")};
    m.Subject = QStringLiteral("Your greeting card came...(From:Lyra)");
    m.Body = {QStringLiteral("Hello"), QString(), QStringLiteral("."),
              QStringLiteral("..two dots"), QStringLiteral("bye")};
    return m;
}

// One sending attempt against the real server, as the sending window makes it.
class SmtpDeliveryTest : public lytest::SandboxTest
{
protected:
    SmtpDeliveryTest()
    {
        client.Host = QStringLiteral("127.0.0.1");
        client.HeloName = QStringLiteral("me");
        client.TimeOut = 5000;
        QObject::connect(&client, &TSmtpClient::OnPacketSent,
                         [this](qint64 sent, qint64 total) { packets.append({sent, total}); });
        QObject::connect(&client, &TSmtpClient::OnRecipientNotFound,
                         [this](const QString &a) { refusedRecipients.append(a); });
    }

    void start(const QStringList &serverArguments = {})
    {
        server = std::make_unique<SmtpTestServer>(serverArguments);
        ASSERT_NE(server->port(), 0) << server->error().toStdString();
        client.Port = server->port();
    }

    Outcome send(const TMailMessage &message, const QString &password = "secret")
    {
        TSmtpAttempt attempt(client);
        std::optional<Outcome> outcome;
        QObject::connect(&attempt, &TSmtpAttempt::Finished,
                         [&](Outcome o, const QString &d) {
                             outcome = o;
                             detail = d;
                         });
        attempt.Start(message, QStringLiteral("alice"), password);
        // Every wait of the attempt is bounded by TimeOut; this bound only guards the test.
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 60000));
        return outcome.value_or(Outcome::Failed);
    }

    std::unique_ptr<SmtpTestServer> server;
    TSmtpClient client;
    QString detail;
    QList<std::pair<qint64, qint64>> packets;
    QStringList refusedRecipients;
};

TEST_F(SmtpDeliveryTest, PlainMailArrivesWithExactlyItsHeadersAndBytes)
{
    start();
    ASSERT_EQ(send(greetingMail()), Outcome::Sent) << detail.toStdString();
    EXPECT_EQ(server->events(),
              QStringList({"EHLO me", "AUTH LOGIN alice true", "MAIL lyra@x.test",
                           "RCPT ann@x.test true", "RCPT bob@x.test true",
                           "RCPT carol@x.test true",
                           "DATA mail1.eml lyra@x.test ann@x.test,bob@x.test,carol@x.test"}));
    const QByteArray mail = server->mail(1);
    const QRegularExpressionMatch date = kDateLine.match(QString::fromLatin1(mail));
    ASSERT_TRUE(date.hasMatch()) << mail.toStdString();
    EXPECT_EQ(mail, "From: Lyra <lyra@x.test>\r\n"
                    "To: Ann Lee <ann@x.test>, bob@x.test\r\n"
                    "CC: carol@x.test\r\n"
                    "Subject: Your greeting card came...(From:Lyra)\r\n"
                    "Date: " + date.captured(1).toLatin1() + "\r\n"
                    "Message-ID: " + date.captured(2).toLatin1() + "\r\n"
                    "Mime-Version: 1.0\r\n"
                    "Content-Type: text/plain; charset=us-ascii\r\n"
                    "\r\n"
                    "\r\n"
                    "Hello\r\n"
                    "\r\n"
                    ".\r\n"
                    "..two dots\r\n"
                    "bye\r\n");
    // ClearParams after the send.
    EXPECT_FALSE(client.MailMessage.HasRecipients());
    EXPECT_FALSE(client.Connected());
}

// The body of a MIME part: the text between its empty line and the next boundary line.
QByteArray partBody(const QByteArray &part)
{
    return part.mid(part.indexOf("\r\n\r\n") + 4);
}

TEST_F(SmtpDeliveryTest, AttachmentsArriveAndDecodeToTheOriginalFiles)
{
    start();
    QByteArray big(1024 * 1024, '\0');
    QRandomGenerator random(9);
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char(random.bounded(256));
    const QList<std::pair<QString, QByteArray>> files = {
        {"card.exe", big}, {"note.txt", "46 bytes of text to make two lines of base64!\n"},
        {"empty.dat", {}}};
    TMailMessage message = greetingMail();
    for (const auto &[name, bytes] : files)
        message.Attachments.append(sandbox.writeFile("in/" + name, bytes));

    ASSERT_EQ(send(message), Outcome::Sent) << detail.toStdString();
    const QByteArray mail = server->mail(1);
    const QRegularExpression boundaryLine(QStringLiteral(
        "\r\nContent-Type: multipart/mixed; boundary=\"(={20}54535[a-y]{6}====)\"\r\n\r\n\r\n"));
    const QRegularExpressionMatch m = boundaryLine.match(QString::fromLatin1(mail.left(1000)));
    ASSERT_TRUE(m.hasMatch()) << mail.left(1000).toStdString();
    const QByteArray boundary = m.captured(1).toLatin1();
    const QByteArray closing = "--" + boundary + "--\r\n";
    EXPECT_TRUE(mail.endsWith(QByteArray("\r\n" + closing)));

    QList<QByteArray> pieces;
    const QByteArray separator = "--" + boundary + "\r\n";
    qsizetype at = mail.indexOf(separator);
    while (at >= 0) {
        const qsizetype next = mail.indexOf(separator, at + separator.size());
        const qsizetype end = next >= 0 ? next : mail.indexOf(closing);
        pieces.append(mail.mid(at + separator.size(), end - at - separator.size()));
        at = next;
    }
    ASSERT_EQ(pieces.size(), 1 + files.size());
    EXPECT_EQ(pieces[0], "Content-Type: text/plain; charset=us-ascii\r\n\r\n"
                         "Hello\r\n\r\n.\r\n..two dots\r\nbye\r\n");
    for (qsizetype i = 0; i < files.size(); ++i) {
        const auto &[name, bytes] = files[i];
        SCOPED_TRACE(name.toStdString());
        const QByteArray &piece = pieces[i + 1];
        const QByteArray partHeader = "Content-Type: application/octet-stream; name=\""
                                      + name.toLatin1() + "\"\r\n"
                                      "Content-Transfer-Encoding: base64\r\n"
                                      "Content-Disposition: attachment; filename=\""
                                      + name.toLatin1() + "\"\r\n\r\n";
        EXPECT_TRUE(piece.startsWith(partHeader)) << piece.left(300).toStdString();
        QByteArray base64;
        const QList<QByteArray> lines = partBody(piece).split('\n');
        for (qsizetype l = 0; l + 1 < lines.size(); ++l) {
            ASSERT_TRUE(lines[l].endsWith('\r'));
            const QByteArray text = lines[l].chopped(1);
            if (l + 2 < lines.size()) {
                EXPECT_EQ(text.size(), 60);
            }
            base64 += text;
        }
        EXPECT_EQ(QByteArray::fromBase64(base64), bytes);
    }

    // The message went out in pieces of at most 64 KiB, with progress after each.
    ASSERT_FALSE(packets.isEmpty());
    qint64 previous = 0;
    for (const auto &[sent, total] : packets) {
        EXPECT_GT(sent, previous);
        EXPECT_LE(sent - previous, 64 * 1024);
        previous = sent;
    }
    EXPECT_EQ(packets.last().first, packets.last().second);
    EXPECT_GE(packets.last().second, mail.size());
}

TEST_F(SmtpDeliveryTest, RefusedRecipientIsSkipped)
{
    start({"--refuse-rcpt", "nobody"});
    TMailMessage message = greetingMail();
    message.ToAddress = {QStringLiteral("nobody@x.test"), QStringLiteral("ann@x.test")};
    message.ToCarbonCopy = {QStringLiteral("nobody.else@x.test")};
    ASSERT_EQ(send(message), Outcome::Sent) << detail.toStdString();
    EXPECT_EQ(refusedRecipients, QStringList({"nobody@x.test", "nobody.else@x.test"}));
    EXPECT_TRUE(server->events().contains("DATA mail1.eml lyra@x.test ann@x.test"));
}

TEST_F(SmtpDeliveryTest, NoRecipientTakenFailsTheSend)
{
    start({"--refuse-rcpt", "nobody"});
    TMailMessage message = greetingMail();
    message.ToAddress = {QStringLiteral("nobody@x.test")};
    message.ToCarbonCopy.clear();
    EXPECT_EQ(send(message), Outcome::Failed);
    EXPECT_TRUE(detail.startsWith("503")) << detail.toStdString();
    EXPECT_TRUE(server->mail(1).isEmpty());
}

TEST_F(SmtpDeliveryTest, RefusedGreetingIsRetriedOnceWithANewUserName)
{
    start({"--refuse-host", "bad.name"});
    client.HeloName = QStringLiteral("bad.name");
    int asked = 0;
    QObject::connect(&client, &TSmtpClient::OnAuthenticationFailed,
                     [&](QString &userId, bool &retry) {
                         ++asked;
                         EXPECT_EQ(userId, QStringLiteral("bad.name"));
                         userId = QStringLiteral("good.name");
                         retry = true;
                     });
    ASSERT_EQ(send(greetingMail()), Outcome::Sent) << detail.toStdString();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(server->events().mid(0, 4),
              QStringList({"EHLO bad.name", "HELO bad.name", "EHLO good.name",
                           "AUTH LOGIN alice true"}));
}

TEST_F(SmtpDeliveryTest, GreetingRefusedTwiceFails)
{
    start({"--refuse-host", "bad.name"});
    client.HeloName = QStringLiteral("bad.name");
    QObject::connect(&client, &TSmtpClient::OnAuthenticationFailed,
                     [](QString &, bool &retry) { retry = true; });
    EXPECT_EQ(send(greetingMail()), Outcome::Failed);
    EXPECT_EQ(detail, QStringLiteral("Authentication failed"));
    EXPECT_EQ(server->events(), QStringList({"EHLO bad.name", "HELO bad.name", "EHLO bad.name",
                                             "HELO bad.name"}));
}

TEST_F(SmtpDeliveryTest, RefusedLoginSendsNoMail)
{
    const struct
    {
        QStringList serverArguments;
        QString password;
        QString event; // the server's AUTH record, if any
    } cases[] = {
        {{}, "wrong", "AUTH LOGIN alice false"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.serverArguments.join(' ').toStdString());
        start(c.serverArguments);
        EXPECT_EQ(send(greetingMail(), c.password), Outcome::LoginRefused);
        const QStringList events = server->events();
        EXPECT_EQ(events.filter(QRegularExpression("^AUTH ")),
                  c.event.isEmpty() ? QStringList() : QStringList{c.event});
        EXPECT_TRUE(events.filter(QRegularExpression("^(MAIL|RCPT|DATA) ")).isEmpty());
        EXPECT_FALSE(client.Connected());
    }
}

} // namespace

namespace {

using ly::mail::SmtpSecurity;
using lytest::TestAuthority;

// The commands before the first AUTH, and whether TLS was in place for it.
bool loggedInOnlyOverTls(const QStringList &events, bool implicitTls)
{
    const qsizetype auth = events.indexOf(QRegularExpression("AUTH .*"));
    const qsizetype tls = events.indexOf("STARTTLS");
    return auth >= 0 && (implicitTls || (tls >= 0 && tls < auth));
}

TEST_F(SmtpDeliveryTest, OverTlsAMailWithUtf8TextsALongLineAndAnAttachmentArrivesWhole)
{
    const lytest::TestAuthority &ca = lytest::TestAuthority::get();
    ASSERT_TRUE(ca.error.isEmpty()) << ca.error.toStdString();
    QByteArray card(1024 * 1024, '\0');
    QRandomGenerator random(3);
    for (qsizetype i = 0; i < card.size(); ++i)
        card[i] = char(random.bounded(256));
    const QString cardPath = sandbox.writeFile(QStringLiteral("out/Grüße Karte.exe"), card);

    const struct
    {
        const char *name;
        QStringList serverArguments;
        SmtpSecurity security;
        quint16 implicitTls;
    } cases[] = {
        {"STARTTLS whenever offered", {"--starttls"}, SmtpSecurity::None, false},
        {"STARTTLS required", {"--starttls"}, SmtpSecurity::StartTls, false},
        {"implicit TLS", {"--implicit-tls"}, SmtpSecurity::Tls, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.serverArguments + TestAuthority::serverArguments(ca.server)
              + QStringList{"--strict-8bit"});
        client.Host = QStringLiteral("localhost");
        client.Security = c.security;
        client.CaFile = ca.authority;
        TMailMessage message = greetingMail();
        message.FromName = QStringLiteral("Müller, Jürgen");
        message.Subject = QStringLiteral("Grüße — eine Karte für dich");
        message.Body = {QStringLiteral("Schöne Grüße!"), QString(2700, QLatin1Char('x')),
                        QStringLiteral(".")};
        message.Attachments = {cardPath};
        ASSERT_EQ(send(message), Outcome::Sent) << detail.toStdString();
        EXPECT_TRUE(loggedInOnlyOverTls(server->events(), c.implicitTls))
            << server->events().join(" | ").toStdString();

        const QJsonObject parsed = lytest::ParseMail(server->mail(1));
        EXPECT_EQ(parsed["defects"].toArray(), QJsonArray());
        EXPECT_EQ(parsed["subject"].toString(), message.Subject);
        EXPECT_EQ(parsed["from"].toArray().at(0).toObject()["name"].toString(), message.FromName);
        EXPECT_EQ(parsed["text"].toString(), message.Body.join(QLatin1Char('\n')));
        EXPECT_LE(parsed["longest_line"].toInt(), 998);
        const QJsonArray attachments = parsed["attachments"].toArray();
        ASSERT_EQ(attachments.size(), 1);
        EXPECT_EQ(attachments[0]["filename"].toString(), QStringLiteral("Grüße Karte.exe"));
        EXPECT_EQ(attachments[0]["sha256"].toString(),
                  QCryptographicHash::hash(card, QCryptographicHash::Sha256).toHex());
    }
}

TEST_F(SmtpDeliveryTest, TlsFailuresNeverFallBackToClearText)
{
    const lytest::TestAuthority &ca = lytest::TestAuthority::get();
    ASSERT_TRUE(ca.error.isEmpty()) << ca.error.toStdString();
    const struct
    {
        const char *name;
        QStringList serverArguments;
        SmtpSecurity security;
        QString caFile;
        QString host;
    } cases[] = {
        {"authority not trusted",
         QStringList{"--starttls"} + TestAuthority::serverArguments(ca.server),
         SmtpSecurity::None, {}, "localhost"},
        {"self-signed certificate",
         QStringList{"--starttls"} + TestAuthority::serverArguments(ca.selfSigned),
         SmtpSecurity::None, ca.authority, "localhost"},
        {"certificate for another name",
         QStringList{"--implicit-tls"} + TestAuthority::serverArguments(ca.otherName),
         SmtpSecurity::Tls,
         ca.authority, "localhost"},
        {"implicit TLS against a clear-text server", {}, SmtpSecurity::Tls, ca.authority,
         "127.0.0.1"},
        {"STARTTLS required, not offered", {}, SmtpSecurity::StartTls, ca.authority,
         "127.0.0.1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.serverArguments);
        client.Host = c.host;
        client.Security = c.security;
        client.CaFile = c.caFile;
        EXPECT_EQ(send(greetingMail()), Outcome::TlsFailed) << detail.toStdString();
        EXPECT_FALSE(detail.isEmpty());
        EXPECT_TRUE(server->events().filter(QRegularExpression("^(AUTH|MAIL) ")).isEmpty())
            << server->events().join(" | ").toStdString();
        EXPECT_FALSE(client.Connected());
    }
}

TEST_F(SmtpDeliveryTest, StrictServerTakesTheEncodedMailAndPlainWhereNoLogin)
{
    start({"--strict-8bit", "--no-login"});
    TMailMessage message = greetingMail();
    message.ToAddress = {QStringLiteral("Zoë <zoe@x.test>")};
    message.Subject = QStringLiteral("Grüße");
    message.Body = {QStringLiteral("Grüße")};
    ASSERT_EQ(send(message), Outcome::Sent) << detail.toStdString();
    EXPECT_TRUE(server->events().contains("AUTH PLAIN alice true"));
    EXPECT_EQ(lytest::ParseMail(server->mail(1))["defects"].toArray(), QJsonArray());
}

} // namespace
