#include "mail/MimeCodec.h"

#include "mail/MailMessage.h"
#include "mail/MailParser.h"
#include "mail/SmtpSecurity.h"
#include "shared/CodePage.h"
#include "support/Sandbox.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>

#include <functional>

namespace {

using namespace ly::mail;

QString jsonText(const QJsonValue &v)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
}

// A greeting mail whose texts, names and attachments a receiving program must get back as
// they were, and every line of it within the limits.
struct RoundTrip
{
    const char *name;
    std::function<void(TMailMessage &)> change;
};

TEST(MimeCodecTest, MessagesParseWithoutDefectsAndGiveBackTheirTexts)
{
    lytest::Sandbox sandbox;
    const QString longLine = QString(2700, QLatin1Char('w'));
    const RoundTrip cases[] = {
        {"plain ASCII", [](TMailMessage &) {}},
        {"UTF-8 subject, body and display names with a comma",
         [](TMailMessage &m) {
             m.FromName = QStringLiteral("Müller, Jürgen");
             m.ToAddress = {QStringLiteral("Zoë Ångström <zoe@x.test>"),
                            QStringLiteral("\"Lee, Ann\" <ann@x.test>"),
                            QStringLiteral("Bob (the builder) <bob@x.test>")};
             m.Subject = QStringLiteral("Grüße aus Köln — eine Karte 🎵 für dich");
             m.Body = {QStringLiteral("Schöne Grüße!"), QStringLiteral("."),
                       QStringLiteral(".Punkt zuerst, = Gleich, Tab\tund Leerzeichen am Ende  "),
                       QStringLiteral("日本語のテキスト")};
         }},
        {"a line of 2,700 characters",
         [&](TMailMessage &m) { m.Body = {QStringLiteral("before"), longLine, QStringLiteral("after")}; }},
        {"long subjects fold",
         [](TMailMessage &m) {
             m.Subject = QString(30, QLatin1Char(' ')).replace(QLatin1Char(' '), QStringLiteral("word "))
                         + QStringLiteral("end");
             m.ToCarbonCopy = {QStringLiteral("a-rather-long-address-one@x.test"),
                               QStringLiteral("Another Long Display Name <a-rather-long-address-two@x.test>"),
                               QStringLiteral("carol@x.test")};
         }},
        {"texts that read as encoded words or hold specials",
         [](TMailMessage &m) {
             m.Subject = QStringLiteral("=?UTF-8?B?SGk=?= is not encoded  twice ");
             m.FromName = QStringLiteral("A \"quoted\" \\ name");
             m.Body = {QStringLiteral("=?UTF-8?B?SGk=?=")};
         }},
        {"a long non-ASCII subject and a word longer than a line",
         [](TMailMessage &m) {
             m.Subject = QString(12, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("Überraschung "))
                         + QString(120, QLatin1Char('z'));
         }},
        {"attachments with non-ASCII, long and quoted names",
         [&](TMailMessage &m) {
             m.Body = {QStringLiteral("Grüße")};
             m.Attachments = {
                 sandbox.writeFile(QStringLiteral("a/Grüße zum Fest.exe"), "card"),
                 sandbox.writeFile(QStringLiteral("b/") + QString(40, QChar(0x00e9)) + "-"
                                       + QString(40, QLatin1Char('k')) + QStringLiteral(".bin"),
                                   QByteArray(1000, '\x01')),
                 sandbox.writeFile(QStringLiteral("c/say \"hi\" \\ now.txt"), "hi"),
                 sandbox.writeFile(QStringLiteral("d/") + QString(90, QLatin1Char('n')) + ".dat", ""),
             };
         }},
    };
    for (const RoundTrip &c : cases) {
        SCOPED_TRACE(c.name);
        TMailMessage m;
        m.FromName = QStringLiteral("Lyra");
        m.FromAddress = QStringLiteral("lyra@x.test");
        m.ToAddress = {QStringLiteral("Ann Lee <ann@x.test>"), QStringLiteral("bob@x.test")};
        m.Subject = QStringLiteral("Your greeting card came...(From:Lyra)");
        m.Date = DateText(QDateTime(QDate(2026, 12, 10), QTime(10, 57), QTimeZone(3600)));
        m.Body = {QStringLiteral("Hello"), QString(), QStringLiteral("bye")};
        c.change(m);
        const QByteArray message = m.Assemble(QStringLiteral("us-ascii"));
        const QJsonObject parsed = lytest::ParseMail(message, true);
        ASSERT_FALSE(parsed.contains("error")) << parsed["error"].toString().toStdString();

        EXPECT_EQ(parsed["defects"].toArray(), QJsonArray()) << jsonText(parsed["defects"]).toStdString();
        EXPECT_FALSE(parsed["eight_bit"].toBool());
        EXPECT_LE(parsed["longest_line"].toInt(), 998);
        for (const QByteArray &line : message.split('\n')) {
            if (line.startsWith("Content-Type: multipart") || line.startsWith("--="))
                continue;
            EXPECT_LE(line.size(), 78 + 1) << line.toStdString();
        }
        EXPECT_EQ(parsed["subject"].toString(), m.Subject);
        EXPECT_EQ(parsed["date"].toString(), QStringLiteral("2026-12-10T10:57:00+01:00"));
        EXPECT_TRUE(parsed["message_id"].toString().endsWith("@x.test>"));
        const QJsonArray from = parsed["from"].toArray();
        ASSERT_EQ(from.size(), 1);
        EXPECT_EQ(from[0]["name"].toString(), m.FromName);
        EXPECT_EQ(from[0]["address"].toString(), m.FromAddress);
        const QJsonArray to = parsed["to"].toArray();
        ASSERT_EQ(to.size(), m.ToAddress.size());
        for (qsizetype i = 0; i < to.size(); ++i) {
            const Mailbox box = ParseMailbox(m.ToAddress[i]);
            EXPECT_EQ(to[i]["name"].toString(), box.name);
            EXPECT_EQ(to[i]["address"].toString(), box.address);
        }
        EXPECT_EQ(parsed["cc"].toArray().size(), m.ToCarbonCopy.size());
        // A plain body begins after the header's extra empty line; in a multipart message the
        // line end before a boundary belongs to the boundary.
        const QString text = m.Body.join(QLatin1Char('\n'));
        EXPECT_EQ(parsed["text"].toString(),
                  m.Attachments.isEmpty() ? QString("\n" + text + "\n") : text);
        const QJsonArray attachments = parsed["attachments"].toArray();
        ASSERT_EQ(attachments.size(), m.Attachments.size());
        for (qsizetype i = 0; i < attachments.size(); ++i) {
            const QFileInfo file(m.Attachments[i]);
            EXPECT_EQ(attachments[i]["filename"].toString(), file.fileName());
            const QByteArray bytes = lytest::readFile(file.filePath());
            EXPECT_EQ(attachments[i]["sha256"].toString(),
                      QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        }
    }
}

TEST(MimeCodecTest, BodyCharsetAndTransferEncoding)
{
    const struct
    {
        const char *codePage;
        QString line;
        QByteArray header;
    } cases[] = {
        {"UTF-8", QStringLiteral("plain"), "Content-Type: text/plain; charset=us-ascii\r\n\r\n"},
        {"UTF-8", QString(999, QLatin1Char('a')),
         "Content-Type: text/plain; charset=us-ascii\r\n"
         "Content-Transfer-Encoding: quoted-printable\r\n\r\n"},
        {"UTF-8", QStringLiteral("Grüße"),
         "Content-Type: text/plain; charset=utf-8\r\n"
         "Content-Transfer-Encoding: quoted-printable\r\n\r\n"},
        {"WINDOWS-1252", QStringLiteral("Grüße"),
         "Content-Type: text/plain; charset=windows-1252\r\n"
         "Content-Transfer-Encoding: quoted-printable\r\n\r\n"},
        // The code page cannot hold the text: UTF-8 loses nothing.
        {"WINDOWS-1252", QStringLiteral("Grüße 日本"),
         "Content-Type: text/plain; charset=utf-8\r\n"
         "Content-Transfer-Encoding: quoted-printable\r\n\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.codePage + std::string(" ") + c.line.left(20).toStdString());
        ly::codepage::overrideName(c.codePage);
        TMailMessage m;
        m.FromAddress = QStringLiteral("lyra@x.test");
        m.ToAddress = {QStringLiteral("ann@x.test")};
        m.Body = {c.line};
        const QByteArray message = m.Assemble(QStringLiteral("us-ascii"));
        ly::codepage::overrideName({});
        EXPECT_TRUE(message.contains(QByteArray("Mime-Version: 1.0\r\n" + c.header))) << message.toStdString();
        const QJsonObject parsed = lytest::ParseMail(message, true);
        EXPECT_EQ(parsed["defects"].toArray(), QJsonArray());
        EXPECT_EQ(parsed["text"].toString(), QString("\n" + c.line + "\n"));
    }
}

TEST(MimeCodecTest, QuotedPrintable)
{
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"", "\r\n"},
        {"a=b", "a=3Db\r\n"},
        {"end space ", "end space=20\r\n"},
        {"tab\t", "tab=09\r\n"},
        {"\xc3\xa9t\xc3\xa9", "=C3=A9t=C3=A9\r\n"},
        {QByteArray(80, 'x'), QByteArray(75, 'x') + "=\r\n" + QByteArray(5, 'x') + "\r\n"},
        // An escape is never split by a soft break.
        {QByteArray(74, 'x') + "\xff", QByteArray(74, 'x') + "=\r\n=FF\r\n"},
        {".", ".\r\n"},
    };
    for (const auto &[line, encoded] : cases)
        EXPECT_EQ(QuotedPrintable({line}), encoded) << line.toStdString();
}

TEST(MimeCodecTest, DatesInTheirZone)
{
    EXPECT_EQ(RfcDate(QDateTime(QDate(2026, 12, 10), QTime(13, 29, 0), QTimeZone(3600))),
              "Thu, 10 Dec 2026 13:29:00 +0100");
    EXPECT_EQ(RfcDate(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9), QTimeZone(-(5 * 3600 + 1800)))),
              "Tue, 5 Mar 2024 07:08:09 -0530");
    EXPECT_EQ(RfcDate(QDateTime(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc())),
              "Wed, 1 Jan 2025 00:00:00 +0000");
}

TEST(MimeCodecTest, MailboxOfATypedEntry)
{
    const struct
    {
        const char *entry;
        const char *name;
        const char *address;
    } cases[] = {
        {"ann@x.test", "", "ann@x.test"},
        {"Ann Lee <ann@x.test>", "Ann Lee", "ann@x.test"},
        {"\"Lee, Ann\" <ann@x.test>", "Lee, Ann", "ann@x.test"},
        {"\"say \\\"hi\\\"\" <ann@x.test>", "say \"hi\"", "ann@x.test"},
        {"mailto:ann@x.test", "", "ann@x.test"},
        {" <ann@x.test> ", "", "ann@x.test"},
    };
    for (const auto &c : cases) {
        const Mailbox box = ParseMailbox(QString::fromUtf8(c.entry));
        EXPECT_EQ(box.name, QString::fromUtf8(c.name)) << c.entry;
        EXPECT_EQ(box.address, QString::fromUtf8(c.address)) << c.entry;
    }
}

TEST(MimeCodecTest, MessageIdsAreUniqueOnTheSendersDomain)
{
    const QByteArray a = MakeMessageId(QStringLiteral("lyra@mail.x.test"));
    const QByteArray b = MakeMessageId(QStringLiteral("lyra@mail.x.test"));
    EXPECT_NE(a, b);
    EXPECT_TRUE(a.startsWith('<') && a.endsWith("@mail.x.test>")) << a.toStdString();
    // No usable domain in the address: the machine's name or a reserved one, still an id.
    const QByteArray c = MakeMessageId(QStringLiteral("no domain"));
    EXPECT_TRUE(c.startsWith('<') && c.endsWith('>') && c.count('@') == 1) << c.toStdString();
}

TEST(MimeCodecTest, GreetingNameIsTheFullNameOrAnAddressLiteral)
{
    const struct
    {
        const char *host;
        const char *domain;
        const char *local;
        const char *greeting;
    } cases[] = {
        {"box.example.org", "", "192.0.2.7", "box.example.org"},
        {"box", "example.org", "192.0.2.7", "box.example.org"},
        {"box", "", "192.0.2.7", "[192.0.2.7]"},
        {"box", "", "::ffff:192.0.2.7", "[192.0.2.7]"},
        {"box", "", "2001:db8::1", "[IPv6:2001:db8::1]"},
        {"box_1.example.org", "", "127.0.0.1", "[127.0.0.1]"},
        {"box", "localdomain", "127.0.0.1", "[127.0.0.1]"},
        {"", "", "", "[127.0.0.1]"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(GreetingName(c.host, c.domain, QHostAddress(QString::fromLatin1(c.local))),
                  QString::fromLatin1(c.greeting))
            << c.host << " " << c.domain << " " << c.local;
    }
}

} // namespace
