#include "mail/widgets/SetMailUnit.h"

#include "mail/MailWindowFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
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

TEST_F(SetMailUnitTest, OkRefusesIncompleteOrTooLongValuesAndStays)
{
    struct Case
    {
        const char *name;
        QString userName;
        QString password;
        QStringList notices;
    };
    const Case cases[] = {
        {"user name missing", "  ", "", {}},
        {"user name too long", QString(15, 'u'), "",
         {"2: Field \"User name\" is too long: only its first 14 characters fit."}},
        {"password too long", "ann", QString(30, 'p'),
         {"2: Field \"Password\" is too long: only its first 24 characters fit."}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        notices().clear();
        TFrmSetMail dlg;
        show(dlg);
        dlg.EdtName->setText("Ann");
        dlg.EdtMail->setText("ann@x.test");
        dlg.EdtSmtp->setText("x.test");
        dlg.EdtUser->setText(c.userName);
        dlg.EdtPass->setText(c.password);
        dlg.BtnOk->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(notices(), c.notices);
        EXPECT_FALSE(QFile::exists(AccountFile()));
    }
}

} // namespace
