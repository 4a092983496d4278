#include "support/Sandbox.h"

#include "mail/DomainTable.h"
#include "mail/MailFiles.h"

#include <QRegularExpression>
#include <QSet>

namespace {

using ly::mail::GuessFromMailAddress;
using ly::mail::LookUpSmtpServer;

class DomainTableTest : public lytest::SandboxTest
{
protected:
    QString writeTable() const
    {
        return sandbox.writeFile("PopnSmtp.dat", "W=example.org#S=smtp.example.org\r\n"
                                                 "W=Example.com#S=upper.example\r\n"
                                                 "W=example.com#S=first.example\r\n"
                                                 "W=example.com#S=second.example\r\n"
                                                 "S=no-domain.example\r\n");
    }
};

TEST_F(DomainTableTest, FirstExactCaseSensitiveMatch)
{
    const QString table = writeTable();
    struct Case
    {
        QString domain;
        QString server;
    };
    const Case cases[] = {
        {"example.org", "smtp.example.org"},
        {"example.com", "first.example"},
        {"Example.com", "upper.example"},
        {"EXAMPLE.ORG", ""},
        {"example", ""},
        {"mail.example.org", ""},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LookUpSmtpServer(c.domain, table), c.server) << c.domain.toStdString();
}

TEST_F(DomainTableTest, GuessFromMailAddress)
{
    const QString table = writeTable();
    struct Case
    {
        QString address;
        QString user;
        QString server;
        bool fromTable;
    };
    const Case cases[] = {
        {"ann@example.org", "ann", "smtp.example.org", true},
        {" ann@example.org ", "ann", "smtp.example.org", true},
        {"bob@unlisted.net", "bob", "unlisted.net", false},
        {"a@b@example.org", "a", "b@example.org", false},
        {"@example.org", "", "smtp.example.org", true},
        {"ann@", "ann", "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        const auto guess = GuessFromMailAddress(c.address, table);
        ASSERT_TRUE(guess);
        EXPECT_EQ(guess->userName, c.user);
        EXPECT_EQ(guess->smtpServer, c.server);
        EXPECT_EQ(guess->serverFromTable, c.fromTable);
    }
    EXPECT_FALSE(GuessFromMailAddress("ann.example.org", table));
}

TEST_F(DomainTableTest, MissingTableLeavesTheDomain)
{
    const auto guess = GuessFromMailAddress("ann@gmail.com", sandbox.root() + "PopnSmtp.dat");
    ASSERT_TRUE(guess);
    EXPECT_EQ(guess->userName, "ann");
    EXPECT_EQ(guess->smtpServer, "gmail.com");
    EXPECT_FALSE(guess->serverFromTable);
}

TEST_F(DomainTableTest, ShippedTable)
{
    sandbox.copyContent("Mail/PopnSmtp.dat");
    const QByteArray bytes = lytest::readFile(ly::mail::DomainTableFile());
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QRegularExpression line(QStringLiteral("^W=[a-z0-9.-]+#S=[a-z0-9.-]+$"));
    QSet<QByteArray> domains;
    for (const QByteArray &l : bytes.chopped(1).split('\n')) {
        ASSERT_TRUE(l.endsWith('\r')) << l.constData();
        EXPECT_TRUE(line.match(QString::fromLatin1(l.chopped(1))).hasMatch()) << l.constData();
        const QByteArray domain = l.mid(2, l.indexOf('#') - 2);
        EXPECT_FALSE(domains.contains(domain)) << "twice: " << domain.constData();
        domains.insert(domain);
    }
    const auto guess = GuessFromMailAddress("someone@gmail.com", ly::mail::DomainTableFile());
    ASSERT_TRUE(guess);
    EXPECT_EQ(guess->smtpServer, "smtp.gmail.com");
    EXPECT_TRUE(guess->serverFromTable);
}

} // namespace
