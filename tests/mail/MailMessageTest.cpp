#include "mail/MailMessage.h"

#include "shared/Error.h"
#include "support/Sandbox.h"

#include <QDateTime>
#include <QTimeZone>
#include <QSet>
#include <QRegularExpression>

#include <functional>

namespace {

using namespace ly::mail;

TMailMessage plainMessage()
{
    TMailMessage m;
    m.FromName = QStringLiteral("Lyra");
    m.FromAddress = QStringLiteral("lyra@x.test");
    m.ToAddress = {QStringLiteral("Ann <ann@x.test>"), QStringLiteral("bob@x.test")};
    m.ToCarbonCopy = {QStringLiteral("carol@x.test")};
    m.Subject = QStringLiteral("Greetings");
    m.Date = QStringLiteral("Tue, 5 Mar 2024 07:08:09 +0100");
    m.MessageId = QStringLiteral("<1.2@x.test>");
    m.Body = {QStringLiteral("Hello"), QStringLiteral("."), QStringLiteral(".hidden"),
              QStringLiteral("a.b"), QString()};
    return m;
}

TEST(MailMessageTest, PlainMailIsHeaderBlockTwoLineEndsAndStuffedBody)
{
    EXPECT_EQ(plainMessage().Assemble(QStringLiteral("us-ascii")),
              QByteArray("From: Lyra <lyra@x.test>\r\n"
                         "To: Ann <ann@x.test>, bob@x.test\r\n"
                         "CC: carol@x.test\r\n"
                         "Subject: Greetings\r\n"
                         "Date: Tue, 5 Mar 2024 07:08:09 +0100\r\n"
                         "Message-ID: <1.2@x.test>\r\n"
                         "Mime-Version: 1.0\r\n"
                         "Content-Type: text/plain; charset=us-ascii\r\n"
                         "\r\n"
                         "\r\n"
                         "Hello\r\n"
                         "..\r\n"
                         "..hidden\r\n"
                         "a.b\r\n"
                         "\r\n"));
}

TEST(MailMessageTest, OptionalHeaderLinesAreLeftOut)
{
    TMailMessage m;
    m.FromAddress = QStringLiteral("lyra@x.test");
    m.ToBlindCarbonCopy = {QStringLiteral("hidden@x.test")};
    m.Date = QStringLiteral("Tue, 5 Mar 2024 07:08:09 +0100");
    m.MessageId = QStringLiteral("<1.2@x.test>");
    EXPECT_EQ(m.Assemble(QStringLiteral("iso-8859-1")),
              QByteArray("From: lyra@x.test\r\n"
                         "Date: Tue, 5 Mar 2024 07:08:09 +0100\r\n"
                         "Message-ID: <1.2@x.test>\r\n"
                         "Mime-Version: 1.0\r\n"
                         "Content-Type: text/plain; charset=iso-8859-1\r\n"
                         "\r\n"
                         "\r\n"));
}

using MailMessageFileTest = lytest::SandboxTest;

TEST_F(MailMessageFileTest, AttachmentsMakeMultipartWithBase64Parts)
{
    QByteArray bytes46;
    for (int i = 0; i < 46; ++i)
        bytes46 += char(i);
    TMailMessage m;
    m.FromName = QStringLiteral("Lyra");
    m.FromAddress = QStringLiteral("lyra@x.test");
    m.ToAddress = {QStringLiteral("ann@x.test")};
    m.Date = QStringLiteral("Tue, 5 Mar 2024 07:08:09 +0100");
    m.MessageId = QStringLiteral("<1.2@x.test>");
    m.Body = {QStringLiteral("Hi"), QStringLiteral(".")};
    m.Attachments = {sandbox.writeFile(QStringLiteral("a/card.bin"), bytes46),
                     sandbox.writeFile(QStringLiteral("b/empty.txt"), QByteArray())};
    const QByteArray b = "====================54535abcdef====";
    EXPECT_EQ(m.Assemble(QStringLiteral("us-ascii"), b),
              QByteArray("From: Lyra <lyra@x.test>\r\n"
                         "To: ann@x.test\r\n"
                         "Date: Tue, 5 Mar 2024 07:08:09 +0100\r\n"
                         "Message-ID: <1.2@x.test>\r\n"
                         "Mime-Version: 1.0\r\n"
                         "Content-Type: multipart/mixed; boundary=\"" + b + "\"\r\n"
                         "\r\n"
                         "\r\n"
                         "--" + b + "\r\n"
                         "Content-Type: text/plain; charset=us-ascii\r\n"
                         "\r\n"
                         "Hi\r\n"
                         "..\r\n"
                         "--" + b + "\r\n"
                         "Content-Type: application/octet-stream; name=\"card.bin\"\r\n"
                         "Content-Transfer-Encoding: base64\r\n"
                         "Content-Disposition: attachment; filename=\"card.bin\"\r\n"
                         "\r\n"
                         "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKiss\r\n"
                         "LQ==\r\n"
                         "--" + b + "\r\n"
                         "Content-Type: application/octet-stream; name=\"empty.txt\"\r\n"
                         "Content-Transfer-Encoding: base64\r\n"
                         "Content-Disposition: attachment; filename=\"empty.txt\"\r\n"
                         "\r\n"
                         "--" + b + "--\r\n"));
}

TEST_F(MailMessageFileTest, UnreadableAttachmentFailsTheAssembly)
{
    TMailMessage m = plainMessage();
    const QString missing = sandbox.root() + QStringLiteral("gone.zip");
    m.Attachments = {missing};
    try {
        m.Assemble(QStringLiteral("us-ascii"));
        FAIL() << "no error";
    } catch (const ly::Error &e) {
        EXPECT_TRUE(e.text().contains(missing)) << e.text().toStdString();
    }
}

TEST(MailMessageTest, Base64LinesHold45BytesEach)
{
    struct Case
    {
        qsizetype size;
        QList<qsizetype> lineLengths;
    };
    const Case cases[] = {{0, {}}, {1, {4}}, {44, {60}}, {45, {60}}, {46, {60, 4}},
                          {90, {60, 60}}, {1000, QList<qsizetype>(22, 60) << 16}};
    for (const Case &c : cases) {
        QByteArray data(c.size, '\0');
        for (qsizetype i = 0; i < c.size; ++i)
            data[i] = char(i * 37 + 11);
        const QByteArray text = Base64Lines(data);
        QList<qsizetype> lengths;
        QByteArray joined;
        for (const QByteArray &line : text.split('\n')) {
            if (line.isEmpty())
                continue;
            ASSERT_TRUE(line.endsWith('\r'));
            lengths.append(line.size() - 1);
            joined += line.chopped(1);
        }
        EXPECT_EQ(lengths, c.lineLengths) << "size " << c.size;
        EXPECT_EQ(QByteArray::fromBase64(joined), data) << "size " << c.size;
    }
}

TEST(MailMessageTest, BoundaryFollowsThePatternAndVaries)
{
    const QRegularExpression pattern(QStringLiteral("^={20}54535[a-y]{6}====$"));
    QSet<QByteArray> seen;
    for (int i = 0; i < 200; ++i) {
        const QByteArray b = MakeBoundary();
        EXPECT_TRUE(pattern.match(QString::fromLatin1(b)).hasMatch()) << b.toStdString();
        seen.insert(b);
    }
    EXPECT_GT(seen.size(), 190);
}

// Every field of the header block, its folds undone, starts with a known header name.
void expectOnlyKnownHeaderLines(const QByteArray &message)
{
    static const QRegularExpression known(QStringLiteral(
        "^(From|To|CC|Subject|Date|Message-ID|Mime-Version|Content-Type): [^\r\n]*$"));
    QString header = QString::fromLatin1(message.left(message.indexOf("\r\n\r\n")));
    header.replace(QStringLiteral("\r\n "), QStringLiteral(" "));
    for (const QString &line : header.split(QStringLiteral("\r\n")))
        EXPECT_TRUE(known.match(line).hasMatch()) << line.toStdString();
}

TEST(MailMessageTest, LineBreaksInHeaderValuesCannotStartHeaderLines)
{
    const QString evil = QStringLiteral("x\r\nBcc: victim@y.test\nX-Spam:\r1");
    const QList<std::function<void(TMailMessage &)>> fields = {
        [&](TMailMessage &m) { m.Subject = evil; },
        [&](TMailMessage &m) { m.FromName = evil; },
        [&](TMailMessage &m) { m.FromAddress = evil; },
        [&](TMailMessage &m) { m.ToAddress.append(evil); },
        [&](TMailMessage &m) { m.ToCarbonCopy = {evil}; },
        [&](TMailMessage &m) { m.Date = evil; },
        [&](TMailMessage &m) { m.MessageId = evil; },
    };
    for (const auto &set : fields) {
        TMailMessage m = plainMessage();
        set(m);
        const QByteArray message = m.Assemble(evil);
        expectOnlyKnownHeaderLines(message);
    }
}

TEST_F(MailMessageFileTest, AttachmentNameCannotLeaveItsQuotes)
{
    TMailMessage m = plainMessage();
    m.Attachments = {sandbox.writeFile(QStringLiteral("a\"b\\c\nX-Evil: 1.txt"), "z")};
    const QByteArray message = m.Assemble(QStringLiteral("us-ascii"));
    EXPECT_TRUE(message.contains("name=\"a\\\"b\\\\c X-Evil: 1.txt\"\r\n"))
        << message.toStdString();
    EXPECT_FALSE(message.contains("\nX-Evil"));
}

TEST(MailMessageTest, LineBreakInsideABodyLineCannotEndTheData)
{
    TMailMessage m = plainMessage();
    m.Body = {QStringLiteral("one\n.\r\nMAIL FROM:<x@y>\r.two")};
    const QByteArray message = m.Assemble(QStringLiteral("us-ascii"));
    EXPECT_TRUE(message.endsWith("\r\n\r\none\r\n..\r\nMAIL FROM:<x@y>\r\n..two\r\n"))
        << message.toStdString();
}

TEST(MailMessageTest, ClearParamsEmptiesRecipientsAndAttachmentsOnly)
{
    TMailMessage m = plainMessage();
    m.ToBlindCarbonCopy = {QStringLiteral("b@x.test")};
    m.Attachments = {QStringLiteral("/a")};
    m.ClearParams();
    EXPECT_FALSE(m.HasRecipients());
    EXPECT_TRUE(m.Attachments.isEmpty());
    EXPECT_EQ(m.Subject, QStringLiteral("Greetings"));
    EXPECT_EQ(m.FromAddress, QStringLiteral("lyra@x.test"));
    EXPECT_EQ(m.Body.size(), 5);
}

TEST(MailMessageTest, RecipientAddressOfAnEntry)
{
    const std::pair<const char *, const char *> cases[] = {
        {"ann@x.test", "ann@x.test"},
        {"Ann Lee <ann@x.test>", "ann@x.test"},
        {"<ann@x.test> and <bob@x.test>", "ann@x.test"},
        {"Ann <ann@x.test", "ann@x.test"},
        {"mailto:ann@x.test", "ann@x.test"},
        {"to:ann@x.test:trailer", "ann@x.test"},
        {"Ann: <ann@x.test>", "ann@x.test"},
        {"", ""},
    };
    for (const auto &[entry, address] : cases)
        EXPECT_EQ(RecipientAddress(QString::fromUtf8(entry)), QString::fromUtf8(address))
            << entry;
}

TEST(MailMessageTest, RecipientListFromTypedText)
{
    const std::pair<const char *, QStringList> cases[] = {
        {"a@x.test;b@y.test", {"a@x.test", "b@y.test"}},
        {"a@x.test;b@y.test;", {"a@x.test", "b@y.test"}},
        {"a@x.test", {"a@x.test"}},
        {" a@x.test ; b", {" a@x.test ", " b"}},
        {";;", {}},
        {"nobody", {}},
        {"", {}},
    };
    for (const auto &[text, list] : cases)
        EXPECT_EQ(RecipientList(QString::fromUtf8(text)), list) << text;
}

TEST(MailMessageTest, DateText)
{
    EXPECT_EQ(DateText(QDateTime(QDate(2024, 12, 31), QTime(23, 5, 9), QTimeZone(-3600))),
              QStringLiteral("Tue, 31 Dec 2024 23:05:09 -0100"));
}

} // namespace
