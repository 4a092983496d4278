#include "mail/widgets/SetMailUnit.h"

#include "mail/MailWindowFixture.h"

#include "shared/CodePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

namespace {

using ly::mail::AccountFile;

class SetMailUnitTest : public lytest::MailWindowFixture
{
protected:
    void show(TFrmSetMail &dlg)
    {
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    }
    // Types the address into the box and leaves it.
    static void typeMail(TFrmSetMail &dlg, const QString &address)
    {
        dlg.EdtMail->setFocus();
        dlg.EdtMail->setText(address);
        Q_EMIT dlg.EdtMail->editingFinished();
    }
};

TEST_F(SetMailUnitTest, LeavingTheAddressFillsUserAndServerOnlyWhenItChanged)
{
    TFrmSetMail dlg;
    show(dlg);
    EXPECT_TRUE(dlg.StmpCheck->isChecked());
    EXPECT_EQ(dlg.EdtPass->echoMode(), QLineEdit::Password);
    // A new account: the default port of STARTTLS whenever the server offers it.
    EXPECT_EQ(dlg.ComSecurity->currentText(), "None");
    EXPECT_TRUE(dlg.EdtPort->text().isEmpty());
    typeMail(dlg, "ann.lee@gmail.com");
    EXPECT_EQ(dlg.EdtUser->text(), "ann.lee");
    EXPECT_EQ(dlg.EdtSmtp->text(), "smtp.gmail.com");
    typeMail(dlg, "bob@unlisted.example");
    EXPECT_EQ(dlg.EdtUser->text(), "bob");
    EXPECT_EQ(dlg.EdtSmtp->text(), "unlisted.example");
    // The user corrects the login; leaving the unchanged address again keeps the correction.
    dlg.EdtUser->setText("bob.login");
    dlg.EdtSmtp->setText("mail.unlisted.example");
    typeMail(dlg, "bob@unlisted.example");
    EXPECT_EQ(dlg.EdtUser->text(), "bob.login");
    EXPECT_EQ(dlg.EdtSmtp->text(), "mail.unlisted.example");
    typeMail(dlg, "no-at-sign");
    EXPECT_EQ(dlg.EdtUser->text(), "bob.login");
}

TEST_F(SetMailUnitTest, OkWritesTheAccountAndTheDialogShowsItAgain)
{
    {
        TFrmSetMail dlg;
        show(dlg);
        dlg.EdtName->setText("Ann Lee");
        typeMail(dlg, "ann@x.test");
        dlg.StmpCheck->setChecked(false);
        dlg.BtnOk->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    const ly::mail::MailAccount expected{"Ann Lee", "ann@x.test", "x.test", false, "ann", ""};
    EXPECT_EQ(ly::mail::ReadAccount(AccountFile()), expected);
    TFrmSetMail again;
    show(again);
    EXPECT_EQ(again.EdtName->text(), "Ann Lee");
    EXPECT_EQ(again.EdtMail->text(), "ann@x.test");
    EXPECT_EQ(again.EdtSmtp->text(), "x.test");
    EXPECT_FALSE(again.StmpCheck->isChecked());
    EXPECT_EQ(again.EdtUser->text(), "ann");
    EXPECT_TRUE(again.EdtPass->text().isEmpty());
}

TEST_F(SetMailUnitTest, OkKeepsPortSecurityAndLongValuesAndShowsThemAgain)
{
    using ly::mail::SmtpSecurity;
    struct Case
    {
        const char *name;
        QString port;          // as typed
        int securityItem;      // index in the choice
        quint16 savedPort;
        SmtpSecurity security;
        QByteArray sideFile;   // the side file's port and security lines
        QString placeholder;   // what the port box shows while empty
    };
    const Case cases[] = {
        {"defaults", "", 0, 0, SmtpSecurity::None, "Port=0\r\nSecurity=none\r\n", "25"},
        {"submission with STARTTLS", "587", 1, 587, SmtpSecurity::StartTls,
         "Port=587\r\nSecurity=starttls\r\n", "25"},
        {"TLS on its own port", "", 2, 0, SmtpSecurity::Tls, "Port=0\r\nSecurity=tls\r\n", "465"},
        {"TLS on another port", "10465", 2, 10465, SmtpSecurity::Tls,
         "Port=10465\r\nSecurity=tls\r\n", "465"},
    };
    // What a public provider needs: the whole address as login, longer than the record's
    // 14 characters, and a long server name.
    const QString login = "juergen.mueller@mail.example.org";
    const QString server = "smtp.submission.mail.example.org";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        {
            TFrmSetMail dlg;
            show(dlg);
            dlg.EdtName->setText("Jürgen");
            dlg.EdtMail->setText(login);
            dlg.EdtSmtp->setText(server);
            dlg.EdtUser->setText(login);
            dlg.EdtPort->setText(c.port);
            dlg.ComSecurity->setCurrentIndex(c.securityItem);
            dlg.BtnOk->click();
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
        }
        const ly::mail::MailAccount saved = ly::mail::LoadAccount(AccountFile());
        EXPECT_EQ(saved.userName, login);
        EXPECT_EQ(saved.smtpServer, server);
        EXPECT_EQ(saved.port, c.savedPort);
        EXPECT_EQ(saved.security, c.security);
        EXPECT_TRUE(lytest::readFile(ly::mail::AccountSideFile(AccountFile())).contains(c.sideFile));
        // The record is still there for other readers, each value cut to its field.
        const QByteArray record = lytest::readFile(AccountFile());
        ASSERT_EQ(record.size(), 286);
        EXPECT_EQ(ly::mail::DecodeAccount(record).userName, login.left(14));

        TFrmSetMail again;
        show(again);
        EXPECT_EQ(again.EdtUser->text(), login);
        EXPECT_EQ(again.EdtSmtp->text(), server);
        EXPECT_EQ(again.EdtPort->text(), c.port);
        EXPECT_EQ(again.EdtPort->placeholderText(), c.placeholder);
        EXPECT_EQ(again.ComSecurity->currentIndex(), c.securityItem);
    }
}

TEST_F(SetMailUnitTest, OkRefusesIncompleteOrUnstorableValuesOrABadPortAndStays)
{
    const auto codePage = qScopeGuard([] { ly::codepage::overrideName({}); });
    struct Case
    {
        const char *name;
        QByteArray codePage;
        QString userName;
        QString password;
        QString port;
        QStringList notices;
    };
    const Case cases[] = {
        {"user name missing", "UTF-8", "  ", "", "", {}},
        {"password the code page cannot store", "WINDOWS-1252", "ann", "пароль", "",
         {"2: Field \"Password\" holds characters that cannot be stored (code page WINDOWS-1252)."}},
        {"port 0", "UTF-8", "ann", "", "0", {"2: The port must be a number from 1 to 65535."}},
        {"port beyond 65535", "UTF-8", "ann", "", "65536",
         {"2: The port must be a number from 1 to 65535."}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        notices().clear();
        ly::codepage::overrideName(c.codePage);
        TFrmSetMail dlg;
        show(dlg);
        dlg.EdtName->setText("Ann");
        dlg.EdtMail->setText("ann@x.test");
        dlg.EdtSmtp->setText("x.test");
        dlg.EdtUser->setText(c.userName);
        dlg.EdtPass->setText(c.password);
        dlg.EdtPort->setText(c.port);
        dlg.BtnOk->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(notices(), c.notices);
        EXPECT_FALSE(QFile::exists(AccountFile()));
        EXPECT_FALSE(QFile::exists(ly::mail::AccountSideFile(AccountFile())));
    }
}

} // namespace
