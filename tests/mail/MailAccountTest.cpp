#include "support/Sandbox.h"

#include "mail/MailAccount.h"
#include "mail/Scrambler.h"
#include "shared/CodePage.h"

#include <QFile>

#include <functional>

namespace {

using ly::mail::MailAccount;

class MailAccountTest : public lytest::SandboxTest
{
protected:
    void TearDown() override { ly::codepage::overrideName({}); }

    QString file() const { return sandbox.root() + "MyMail.Dat"; }
};

MailAccount sample()
{
    return {"Ann Lee", "ann.lee@example.org", "smtp.example.org", true, "ann.lee", "s3cret"};
}

QByteArray field(const QByteArray &record, qsizetype offset, qsizetype size)
{
    return record.mid(offset, size);
}

// The field holds the text, a NUL, and zeros to its end.
void expectZeroPadded(const QByteArray &f, const QByteArray &text)
{
    EXPECT_EQ(f.left(text.size()), text);
    EXPECT_EQ(f.mid(text.size()), QByteArray(f.size() - text.size(), '\0'));
}

TEST_F(MailAccountTest, RecordLayout)
{
    MailAccount account = sample();
    account.password.clear();
    ly::mail::WriteAccount(file(), account);

    const QByteArray record = lytest::readFile(file());
    ASSERT_EQ(record.size(), 286);
    expectZeroPadded(field(record, 0, 51), "Ann Lee");
    EXPECT_EQ(record[203], '\1');
    struct Scrambled
    {
        qsizetype offset;
        qsizetype size;
        QString value;
    };
    for (const Scrambled &s : {Scrambled{51, 101, account.mailAddress},
                               Scrambled{152, 51, account.smtpServer},
                               Scrambled{204, 31, account.userName},
                               Scrambled{235, 51, account.password}}) {
        SCOPED_TRACE(s.offset);
        const QByteArray f = field(record, s.offset, s.size);
        const QByteArray digits = f.left(f.indexOf('\0'));
        EXPECT_EQ(digits.size(), 2 + 2 * s.value.size());
        EXPECT_TRUE(QByteArray::fromHex(digits).toHex().toUpper() == digits) << digits.constData();
        expectZeroPadded(f, digits);
        EXPECT_EQ(ly::mail::UnscrambleText(QString::fromLatin1(digits)), s.value);
    }
}

TEST_F(MailAccountTest, ReadsARecordBuiltFromTheLayout)
{
    QByteArray record(286, '\0');
    record.replace(0, 7, "Bob Ray");
    record.replace(8, 5, "\xAA\xAA\xAA\xAA\xAA"); // after the terminator: not part of the name
    record.replace(51, 40, "A7987393868D9E60ADBB51A660AE42DD3EC05812");
    record.replace(152, 6, "101a1d");
    record[203] = '\0';
    record.replace(204, 6, "101A1D");
    record.replace(235, 2, "42");
    record += "trailing bytes are ignored";
    sandbox.writeFile("MyMail.Dat", record);

    const MailAccount expected{"Bob Ray", "Lyrabell greetings!", "ab", false, "ab", ""};
    EXPECT_EQ(ly::mail::ReadAccount(file()), expected);
}

TEST_F(MailAccountTest, RoundTrips)
{
    MailAccount longest{QString(50, 'n'), QString(49, 'm'), QString(24, 's'), false,
                        QString(14, 'u'), QString(24, 'p')};
    MailAccount emptyPassword = sample();
    emptyPassword.password.clear();
    MailAccount unicode{QStringLiteral("Zo\u00eb M\u00fcller"), "zoe@example.de",
                        "mail.example.de", true, QStringLiteral("z\u00f6e"),
                        QStringLiteral("p\u00e4ss \u20ac")};
    for (const MailAccount &account : {sample(), longest, emptyPassword, unicode}) {
        SCOPED_TRACE(account.name.toStdString());
        ly::mail::WriteAccount(file(), account);
        EXPECT_EQ(QFile(file()).size(), 286);
        EXPECT_EQ(ly::mail::ReadAccount(file()), account);
    }
}

TEST_F(MailAccountTest, ValuesThatDoNotFitAreReportedNotCut)
{
    struct Case
    {
        const char *codepage;
        std::function<void(MailAccount &)> change;
        QString field;
        QString text;
    };
    const Case cases[] = {
        {"UTF-8", [](MailAccount &a) { a.name = QString(51, 'n'); }, "Name",
         "Field \"Name\" is too long: only its first 50 characters fit."},
        {"UTF-8", [](MailAccount &a) { a.mailAddress = QString(50, 'm'); }, "Mail address",
         "Field \"Mail address\" is too long: only its first 49 characters fit."},
        {"UTF-8", [](MailAccount &a) { a.smtpServer = QString(25, 's'); }, "SMTP server",
         "Field \"SMTP server\" is too long: only its first 24 characters fit."},
        {"UTF-8", [](MailAccount &a) { a.userName = QString(15, 'u'); }, "User name",
         "Field \"User name\" is too long: only its first 14 characters fit."},
        {"UTF-8", [](MailAccount &a) { a.password = QString(25, 'p'); }, "Password",
         "Field \"Password\" is too long: only its first 24 characters fit."},
        // Two bytes per character in UTF-8: 25 of them fill the name's 50 bytes.
        {"UTF-8", [](MailAccount &a) { a.name = QString(26, QChar(0xe9)); }, "Name",
         "Field \"Name\" is too long: only its first 25 characters fit."},
        {"windows-1252",
         [](MailAccount &a) {
             a.password = QStringLiteral("\u043f\u0430\u0440\u043e\u043b\u044c");
         },
         "Password", "Field \"Password\" holds characters that cannot be stored (code page "
                     "WINDOWS-1252)."},
        {"UTF-8", [](MailAccount &a) { a.userName = QStringLiteral("a") + QChar(0) + "b"; },
         "User name",
         "Field \"User name\" holds characters that cannot be stored (code page UTF-8)."},
    };
    const QByteArray before = lytest::readFile(sandbox.writeFile("MyMail.Dat", "old record"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        ly::codepage::overrideName(c.codepage);
        MailAccount account = sample();
        c.change(account);
        const QList<ly::mail::FieldProblem> problems = ly::mail::AccountProblems(account);
        ASSERT_EQ(problems.size(), 1);
        EXPECT_EQ(problems[0].field, c.field);
        EXPECT_EQ(problems[0].text, c.text);
        try {
            ly::mail::WriteAccount(file(), account);
            ADD_FAILURE() << "written";
        } catch (const ly::mail::FieldsDoNotFit &e) {
            EXPECT_EQ(e.text(), c.text);
        }
        EXPECT_EQ(lytest::readFile(file()), before);
    }
    ly::codepage::overrideName("windows-1252");
    MailAccount fits = sample();
    fits.name = QString(50, QChar(0xe9)); // one byte each in this code page
    EXPECT_TRUE(ly::mail::AccountProblems(fits).isEmpty());
}

TEST_F(MailAccountTest, DamagedOrMissingFileIsAnError)
{
    QByteArray good = ly::mail::EncodeAccount(sample());
    QByteArray notHex = good;
    notHex[152] = 'x';
    QByteArray oddDigits = good;
    oddDigits[235 + 13] = '\0'; // 13 of the 14 digits of "s3cret"
    struct Case
    {
        QByteArray bytes;
        QString message;
    };
    const Case cases[] = {
        {good.left(285), "it holds 285 bytes instead of 286"},
        {QByteArray(), "it holds 0 bytes instead of 286"},
        {notHex, "field \"SMTP server\" is not scrambled text"},
        {oddDigits, "field \"Password\" is not scrambled text"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        sandbox.writeFile("MyMail.Dat", c.bytes);
        try {
            ly::mail::ReadAccount(file());
            ADD_FAILURE() << "read";
        } catch (const ly::Error &e) {
            EXPECT_EQ(e.text(),
                      "The account file \"" + file() + "\" is damaged: " + c.message + ".");
        }
    }
    QFile::remove(file());
    EXPECT_THROW(ly::mail::ReadAccount(file()), ly::Error);
    EXPECT_THROW(ly::mail::WriteAccount(sandbox.root() + "no/such/dir/MyMail.Dat", sample()),
                 ly::Error);
}

TEST_F(MailAccountTest, CompleteNeedsEverythingButThePassword)
{
    EXPECT_TRUE(ly::mail::AccountComplete(sample()));
    MailAccount noPassword = sample();
    noPassword.password.clear();
    EXPECT_TRUE(ly::mail::AccountComplete(noPassword));
    for (QString MailAccount::*member : {&MailAccount::name, &MailAccount::mailAddress,
                                         &MailAccount::smtpServer, &MailAccount::userName}) {
        MailAccount a = sample();
        a.*member = QStringLiteral(" \t ");
        EXPECT_FALSE(ly::mail::AccountComplete(a));
    }
}

// What public providers need and the record cannot hold: the full address as login, a long
// server name, a long password, a port and a security mode.
MailAccount providerAccount()
{
    MailAccount a = {"Jürgen Müller",  "juergen.mueller@mail.example.org",
                     "smtp.submission.mail.example.org", true, "juergen.mueller@mail.example.org",
                     "a long app password of 32 chars!"};
    a.port = 587;
    a.security = ly::mail::SmtpSecurity::StartTls;
    return a;
}

TEST_F(MailAccountTest, SideFileKeepsWhatTheRecordCannot)
{
    const MailAccount account = providerAccount();
    ly::mail::SaveAccount(file(), account);
    EXPECT_EQ(ly::mail::LoadAccount(file()), account);

    // The record stays as other readers know it, with each value cut to its field.
    const QByteArray record = lytest::readFile(file());
    ASSERT_EQ(record.size(), 286);
    const MailAccount recorded = ly::mail::DecodeAccount(record);
    EXPECT_EQ(recorded.userName, account.userName.left(14));
    EXPECT_EQ(recorded.smtpServer, account.smtpServer.left(24));
    EXPECT_EQ(recorded.password, account.password.left(24));
    EXPECT_EQ(recorded.mailAddress, account.mailAddress);

    // The side file holds the secrets only scrambled.
    const QByteArray side = lytest::readFile(sandbox.root() + "MyMail.ini");
    EXPECT_TRUE(side.startsWith("[Account]\r\nName=J")) << side.toStdString();
    EXPECT_TRUE(side.contains("\r\nPort=587\r\nSecurity=starttls\r\n")) << side.toStdString();
    for (const QString &secret : {account.userName, account.smtpServer, account.password})
        EXPECT_FALSE(side.contains(secret.left(10).toUtf8())) << secret.toStdString();
}

TEST_F(MailAccountTest, RecordRewrittenByAnotherProgramWinsOverTheSideFile)
{
    ly::mail::SaveAccount(file(), providerAccount());
    // Another program writes only the record.
    ly::mail::WriteAccount(file(), sample());
    MailAccount expected = sample();
    expected.port = 587;
    expected.security = ly::mail::SmtpSecurity::StartTls;
    EXPECT_EQ(ly::mail::LoadAccount(file()), expected);
}

TEST_F(MailAccountTest, MissingOrDamagedSideFileLeavesTheRecord)
{
    ly::mail::WriteAccount(file(), sample());
    EXPECT_EQ(ly::mail::LoadAccount(file()), sample());
    sandbox.writeFile("MyMail.ini",
                      "[Account]\r\nUserName=not scrambled\r\nPassword=0\r\nPort=70000\r\n"
                      "Security=carrier pigeon\r\n");
    EXPECT_EQ(ly::mail::LoadAccount(file()), sample());
    sandbox.writeFile("MyMail.ini", "[Account]\r\nPort=465\r\nSecurity=TLS\r\n");
    MailAccount expected = sample();
    expected.port = 465;
    expected.security = ly::mail::SmtpSecurity::Tls;
    EXPECT_EQ(ly::mail::LoadAccount(file()), expected);
}

TEST_F(MailAccountTest, SaveRefusesWhatTheCodePageCannotStoreAndWritesNothing)
{
    ly::codepage::overrideName("WINDOWS-1252");
    MailAccount account = providerAccount();
    account.password = QStringLiteral("пароль");
    EXPECT_THROW(ly::mail::SaveAccount(file(), account), ly::mail::FieldsDoNotFit);
    EXPECT_FALSE(QFile::exists(file()));
    EXPECT_FALSE(QFile::exists(sandbox.root() + "MyMail.ini"));
    // Also where the record's cut leaves the character out: the side file would lose it.
    account = providerAccount();
    account.name = QString(50, QLatin1Char('n')) + QStringLiteral(" Пётр");
    EXPECT_THROW(ly::mail::SaveAccount(file(), account), ly::mail::FieldsDoNotFit);
    EXPECT_FALSE(QFile::exists(file()));
    EXPECT_FALSE(QFile::exists(sandbox.root() + "MyMail.ini"));
}

} // namespace
