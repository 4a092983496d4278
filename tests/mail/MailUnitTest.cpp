#include "mail/widgets/MailUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "mail/MailFiles.h"
#include "mail/SavedMail.h"
#include "mail/Scrambler.h"
#include "mail/widgets/SetMailUnit.h"
#include "mail/widgets/ToMailUnit.h"
#include "shared/Settings.h"

#include "mail/MailWindowFixture.h"
#include "mail/SmtpTestServer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {

using ly::mail::AccountFile;

class MailUnitTest : public lytest::MailWindowFixture
{
protected:
    ~MailUnitTest() override { window.reset(); }

    // The main window as the program shows it, with its start steps done (or the account
    // dialog answered by `answers`).
    void start()
    {
        window = std::make_unique<TFrmSendMail>();
        window->setOpenMailChooser([this](QWidget *) { return openName; });
        window->setSaveMailChooser([this](QWidget *) { return saveName; });
        window->setAddFilesChooser([this](QWidget *) { return addFiles; });
        started = std::make_unique<QSignalSpy>(window.get(), &TFrmSendMail::ProgramEnded);
        window->show();
        // The start runs queued after the show (with the account window first when there is
        // no account); with an account it ends with the subject.
        ASSERT_TRUE(QTest::qWaitFor(
            [this] {
                return window->Ended()
                    || window->EdtTitle->text().startsWith("Your greeting card came...(From:");
            },
            20000));
    }

    QString file(const QString &name, const QByteArray &bytes)
    {
        return sandbox.writeFile("files/" + name, bytes);
    }

    void click(QWidget *w)
    {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    }

    std::unique_ptr<TFrmSendMail> window;
    std::unique_ptr<QSignalSpy> started;
    QString openName;
    QString saveName;
    QStringList addFiles;
};

TEST_F(MailUnitTest, WithoutAccountTheAccountWindowComesFirstAndOkWritesIt)
{
    lytest::ModalScript answers(lytest::ModalScript::Others::LeaveOpen);
    bool guessed = false;
    answers.then<TFrmSetMail>([&](TFrmSetMail *dlg) {
        EXPECT_EQ(dlg->windowTitle(), "The mail constitution");
        QApplication::setActiveWindow(dlg);
        QTest::keyClicks(dlg->EdtName, "Lyra Bell");
        dlg->EdtMail->setFocus();
        QTest::keyClicks(dlg->EdtMail, "lyra.bell@gmail.com");
        dlg->EdtName->setFocus(); // leaving the box
        guessed = dlg->EdtUser->text() == "lyra.bell" && dlg->EdtSmtp->text() == "smtp.gmail.com";
        QTest::keyClicks(dlg->EdtPass, "pa ss");
        dlg->BtnOk->click();
    });
    start();
    EXPECT_TRUE(answers.finished());
    EXPECT_TRUE(guessed);
    EXPECT_FALSE(window->Ended());
    const ly::mail::MailAccount account = ly::mail::ReadAccount(AccountFile());
    EXPECT_EQ(account, (ly::mail::MailAccount{"Lyra Bell", "lyra.bell@gmail.com",
                                              "smtp.gmail.com", true, "lyra.bell", "pa ss"}));
    // The record holds the address scrambled, not as plain text.
    EXPECT_FALSE(lytest::readFile(AccountFile()).contains("gmail"));
    EXPECT_EQ(window->windowTitle(), "Quillpost v1.0");
    EXPECT_EQ(window->EdtTitle->text(), "Your greeting card came...(From:Lyra Bell)");
}

TEST_F(MailUnitTest, NoAccountGivenOrADamagedOneEndsTheProgramOnlyWhenNoneIsGiven)
{
    struct Case
    {
        const char *name;
        QByteArray accountFile; // empty: none
    };
    for (const Case &c : {Case{"no account file", {}}, Case{"damaged account file", "short"},
                          Case{"unscrambled fields", QByteArray(286, 'z')}}) {
        SCOPED_TRACE(c.name);
        if (!c.accountFile.isEmpty()) {
            QDir().mkpath(ly::mail::MailDataDir());
            QFile f(AccountFile());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.accountFile);
        }
        lytest::ModalScript answers(lytest::ModalScript::Others::LeaveOpen);
        answers.then<TFrmSetMail>([](TFrmSetMail *dlg) {
            EXPECT_TRUE(dlg->EdtName->text().isEmpty());
            dlg->BtnCancel->click();
        });
        start();
        EXPECT_TRUE(answers.finished());
        EXPECT_TRUE(window->Ended());
        EXPECT_EQ(started->count(), 1);
        EXPECT_FALSE(window->isVisible());
        window.reset();
        QFile::remove(AccountFile());
    }
}

TEST_F(MailUnitTest, StartAttachesTheBuiltCardWhenItExists)
{
    writeAccount();
    const QString card = file("Card.exe", QByteArray(3000, 'c'));
    ly::WriteConfig("Finished", "FinishedExe", card);
    start();
    EXPECT_EQ(window->windowTitle(), "Quillpost v1.0");
    EXPECT_EQ(window->EdtTitle->text(), "Your greeting card came...(From:Lyra Bell)");
    EXPECT_EQ(window->AttachmentPaths(), QStringList{card});
    ASSERT_EQ(window->ListView1->count(), 1);
    EXPECT_EQ(window->ListView1->item(0)->text(), "Card.exe\n(2KB)");
    EXPECT_TRUE(window->ListView1->isVisible());
    EXPECT_TRUE(window->EdtMails->text().isEmpty());
    EXPECT_EQ(window->BodyLines().size(), 8);
    EXPECT_EQ(window->BodyLines()[0], "Hello");
    window.reset();

    QFile::remove(card);
    start();
    EXPECT_TRUE(window->AttachmentPaths().isEmpty());
}

TEST_F(MailUnitTest, QuickPickAppendsTickedAddressesOnce)
{
    writeAccount();
    sandbox.writeFile("Program/Mail/SendMail.Dat",
                      "Name=Ann_Lee#Mail=ann@x.test\r\nName=Bob#Mail=bob@x.test\r\n"
                      "Name=Cy#Mail=cy@x.test\r\n");
    ASSERT_TRUE(QFile::exists(ly::mail::AddressBookFile())) << ly::mail::AddressBookFile().toStdString();
    start();
    struct Case
    {
        const char *to;
        QList<int> ticked;
        const char *expected;
    };
    const Case cases[] = {
        {"", {0, 2}, "ann@x.test;cy@x.test;"},
        {"zed@x.test", {1}, "zed@x.test;bob@x.test;"},
        {"zed@x.test;yo@x.test", {1}, "zed@x.test;yo@x.test;bob@x.test;"},
        {"ann@x.test;", {0, 1}, "ann@x.test;bob@x.test;"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.to);
        window->EdtMails->setText(c.to);
        click(window->EdtMails);
        ASSERT_TRUE(window->CheckListBox1->isVisible());
        ASSERT_EQ(window->CheckListBox1->count(), 3);
        EXPECT_EQ(window->CheckListBox1->item(0)->text(), "ann@x.test Ann Lee");
        for (int row : c.ticked)
            window->CheckListBox1->item(row)->setCheckState(Qt::Checked);
        click(window->EdtTitle);
        EXPECT_FALSE(window->CheckListBox1->isVisible());
        EXPECT_EQ(window->EdtMails->text(), c.expected);
        // A later show and hide adds nothing again.
        click(window->EdtMails);
        click(window->MemoText->viewport());
        EXPECT_EQ(window->EdtMails->text(), c.expected);
    }
    // A click on the header panel hides the list as well.
    click(window->EdtMails);
    window->CheckListBox1->item(2)->setCheckState(Qt::Checked);
    QTest::mouseClick(window->PnlHead, Qt::LeftButton, {}, QPoint(window->PnlHead->width() - 5, 5));
    EXPECT_FALSE(window->CheckListBox1->isVisible());
    EXPECT_TRUE(window->EdtMails->text().endsWith(";cy@x.test;"));
}

TEST_F(MailUnitTest, SaveThenOpenRestoresTheMailAndEachMailKeepsItsBody)
{
    writeAccount();
    start();
    const QString a = file("a.txt", "alpha");
    const QString b = file("b b.bin", QByteArray(5000, 'b'));
    QDir().mkpath(sandbox.root() + "saved");
    auto compose = [&](const QString &to, const QString &body, const QStringList &files) {
        window->MenuNew->trigger();
        window->EdtMails->setText(to);
        window->EdtCc->setText("cc@x.test");
        window->EdtTitle->setText("Subject " + to);
        window->MemoText->setPlainText(body);
        addFiles = files;
        window->AddFile->trigger();
    };
    compose("one@x.test;two@x.test", "first body\n\nend", {a, b});
    saveName = sandbox.root() + "saved/first";
    window->MenuSave->trigger();
    compose("three@x.test", "second body", {b});
    saveName = sandbox.root() + "saved/second.qpt";
    window->BtnSave->trigger();
    EXPECT_TRUE(notices().isEmpty()) << notices().join('\n').toStdString();
    EXPECT_TRUE(QFile::exists(sandbox.root() + "saved/first.qpt"));
    EXPECT_FALSE(QFile::exists(sandbox.root() + "saved/second.qpt.qpt"));

    window->MenuNew->trigger();
    EXPECT_TRUE(window->AttachmentPaths().isEmpty());
    openName = sandbox.root() + "saved/first.qpt";
    window->MenuOpen->trigger();
    EXPECT_EQ(window->EdtMails->text(), "one@x.test;two@x.test");
    EXPECT_EQ(window->EdtCc->text(), "cc@x.test");
    EXPECT_EQ(window->EdtTitle->text(), "Subject one@x.test;two@x.test");
    // The second save into the folder did not replace the first mail's body.
    EXPECT_EQ(window->MemoText->toPlainText(), "first body\n\nend");
    EXPECT_EQ(window->AttachmentPaths(), (QStringList{a, b}));
    EXPECT_EQ(window->ListView1->item(1)->text(), "b b.bin\n(4KB)");

    openName = sandbox.root() + "saved/second.qpt";
    window->MenuOpen->trigger();
    EXPECT_EQ(window->MemoText->toPlainText(), "second body");
    EXPECT_EQ(window->AttachmentPaths(), QStringList{b});
    EXPECT_TRUE(notices().isEmpty()) << notices().join('\n').toStdString();
}

TEST_F(MailUnitTest, AMailOfTheSharedBodyLayoutOpens)
{
    writeAccount();
    start();
    const QString qpt = ly::mail::SaveMail(sandbox.root() + "old", "ann@x.test", "", "Old",
                                           {"shared", "body"}, {});
    openName = qpt;
    window->MenuOpen->trigger();
    EXPECT_EQ(window->MemoText->toPlainText(), "shared\nbody");
    EXPECT_EQ(window->EdtTitle->text(), "Old");
    EXPECT_FALSE(window->ListView1->isVisible());
    EXPECT_TRUE(notices().isEmpty()) << notices().join('\n').toStdString();
}

TEST_F(MailUnitTest, SaveProblemsAreShownAndNothingIsWritten)
{
    writeAccount();
    start();
    struct Case
    {
        const char *name;
        QString saveAs;
        QString subject;
        QString notice;
    };
    const Case cases[] = {
        {"folder missing", sandbox.root() + "nowhere/m", "s",
         "1: The mail was not saved.\nUnable to write to "},
        {"subject too long", sandbox.root() + "m", QString(51, 's'),
         "2: The mail was not saved.\nField \"Subject\" is too long: only its first 50 "
         "characters fit."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        notices().clear();
        window->EdtTitle->setText(c.subject);
        saveName = c.saveAs;
        window->BtnSave->trigger();
        ASSERT_EQ(notices().size(), 1);
        EXPECT_TRUE(notices()[0].startsWith(c.notice)) << notices()[0].toStdString();
        EXPECT_FALSE(QFile::exists(ly::mail::SavedMailFileName(c.saveAs)));
    }
}

TEST_F(MailUnitTest, OpeningAMailWithMissingFilesNamesThem)
{
    writeAccount();
    start();
    const QString kept = file("kept.txt", "k");
    const QString gone = file("gone.txt", "g");
    addFiles = {kept, gone};
    window->AddFile->trigger();
    window->EdtMails->setText("ann@x.test");
    saveName = sandbox.root() + "m";
    window->BtnSave->trigger();
    QFile::remove(gone);
    const QString body = sandbox.root() + ly::mail::OwnBodyFileName("m");
    ASSERT_TRUE(QFile::remove(body));

    window->MenuNew->trigger();
    openName = sandbox.root() + "m.qpt";
    window->MenuOpen->trigger();
    EXPECT_EQ(notices(),
              QStringList{"2: These files of the saved mail are missing:\n" + body + "\n" + gone});
    EXPECT_EQ(window->EdtMails->text(), "ann@x.test");
    EXPECT_EQ(window->AttachmentPaths(), QStringList{kept});

    notices().clear();
    openName = sandbox.writeFile("bad.qpt", "tiny");
    window->MenuOpen->trigger();
    ASSERT_EQ(notices().size(), 1);
    EXPECT_TRUE(notices()[0].startsWith("1: The saved mail")) << notices()[0].toStdString();
}

TEST_F(MailUnitTest, AttachmentMenuAndViewToggles)
{
    writeAccount();
    start();
    const QString a = file("a.txt", "a");
    const QString b = file("b.txt", "b");
    const QString c = file("c.txt", "c");
    addFiles = {a, b, c};
    window->BtnAddFile->trigger();
    ASSERT_EQ(window->ListView1->count(), 3);

    // Deleting the middle item deletes its own path.
    window->ListView1->setCurrentRow(1);
    window->PopuDelete->trigger();
    EXPECT_EQ(window->AttachmentPaths(), (QStringList{a, c}));
    EXPECT_EQ(window->ListView1->item(1)->text(), "c.txt\n(1KB)");
    window->PopuDelAll->trigger();
    EXPECT_EQ(window->ListView1->count(), 0);
    EXPECT_TRUE(window->AttachmentPaths().isEmpty());
    // What cannot be read is not attached, and the user is told.
    window->AddAttachment(sandbox.root() + "files");
    EXPECT_EQ(window->ListView1->count(), 0);
    ASSERT_EQ(notices().size(), 1);
    EXPECT_TRUE(notices()[0].startsWith("1: Cannot open file")) << notices()[0].toStdString();

    for (QAction *toggle : {window->MenuTool, window->MenuStatus, window->MenuFileBox}) {
        SCOPED_TRACE(toggle->text().toStdString());
        QWidget *target = toggle == window->MenuTool     ? static_cast<QWidget *>(window->ToolBar1)
                          : toggle == window->MenuStatus ? static_cast<QWidget *>(window->StatusBar1)
                                                         : window->ListView1;
        EXPECT_TRUE(target->isVisible());
        toggle->trigger();
        EXPECT_FALSE(toggle->isChecked());
        EXPECT_FALSE(target->isVisible());
        toggle->trigger();
        EXPECT_TRUE(target->isVisible());
    }
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->StatusTime->text().isEmpty(); }, 5000));
    EXPECT_TRUE(QDateTime::fromString(window->StatusTime->text(), "yyyy-MM-dd hh:mm:ss").isValid())
        << window->StatusTime->text().toStdString();
}

TEST_F(MailUnitTest, CtrlXCutsInAnEditBoxAndEndsTheProgramElsewhere)
{
    writeAccount();
    start();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->EdtTitle->setFocus();
    window->EdtTitle->setText("cut me");
    window->EdtTitle->selectAll();
    QTest::keyClick(window->EdtTitle, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(window->EdtTitle->text(), "");
    EXPECT_TRUE(window->isVisible());

    window->MemoText->setFocus();
    window->MemoText->selectAll();
    QTest::keyClick(window->MemoText, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(window->MemoText->toPlainText().isEmpty());
    EXPECT_TRUE(window->isVisible());

    window->ListView1->setFocus();
    QTest::keyClick(window->ListView1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MailUnitTest, SendIsRefusedWithoutAccountOrRecipient)
{
    writeAccount();
    start();
    struct Case
    {
        const char *name;
        const char *to;
        const char *cc;
        bool account;
        QString notice;
    };
    const Case cases[] = {
        {"no account", "ann@x.test", "", false,
         "1: Execuse me, please establish personal mail!"},
        {"no at sign", "nobody", "", true, "3: Execuse me, please establish personal mail!"},
        {"copy recipients only", "", "cc@x.test", true,
         "3: Execuse me, please establish personal mail!"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        notices().clear();
        if (c.account)
            writeAccount();
        else
            QFile::remove(AccountFile());
        window->EdtMails->setText(c.to);
        window->EdtCc->setText(c.cc);
        lytest::ModalScript answers(lytest::ModalScript::Others::LeaveOpen); // no sending window may come up
        window->BtnSend->trigger();
        EXPECT_EQ(notices(), QStringList{c.notice});
        EXPECT_TRUE(answers.unexpected.isEmpty());
    }
}

// The whole road: a mail to two recipients, with the built card attached, goes from the
// window to a real SMTP server and arrives byte for byte.
TEST_F(MailUnitTest, SendsTheCardToARealServer)
{
    lytest::SmtpTestServer server;
    ASSERT_NE(server.port(), 0) << server.error().toStdString();
    ly::mail::MailAccount account = alice();
    account.port = server.port();
    writeAccount(account);
    QByteArray cardBytes(70000, '\0');
    for (char &ch : cardBytes)
        ch = char(QRandomGenerator::global()->bounded(256));
    const QString card = file("Greeting.exe", cardBytes);
    ly::WriteConfig("Finished", "FinishedExe", card);
    start();
    window->setSendingSetup([&](TFrmToMail &sending) {
        sending.TimeOut = 5000;
    });
    window->EdtMails->setText("ann@x.test;bob@y.test");
    lytest::ModalScript answers(lytest::ModalScript::Others::LeaveOpen);
    window->BtnSend->trigger();
    EXPECT_EQ(notices(), QStringList{"3: The mail sends out to complete!"});
    EXPECT_TRUE(answers.unexpected.isEmpty()) << answers.unexpected.join(',').toStdString();
    EXPECT_FALSE(window->isMinimized());

    const QStringList events = server.events();
    EXPECT_TRUE(events.contains("AUTH LOGIN alice true")) << events.join('\n').toStdString();
    EXPECT_TRUE(events.contains("DATA mail1.eml lyra@x.test ann@x.test,bob@y.test"))
        << events.join('\n').toStdString();
    const QByteArray mail = server.mail(1);
    EXPECT_TRUE(mail.startsWith("From: Lyra Bell <lyra@x.test>\r\nTo: ann@x.test, bob@y.test\r\n"
                                "Subject: Your greeting card came...(From:Lyra Bell)\r\n"))
        << mail.left(300).toStdString();
    const QByteArray head = "Content-Disposition: attachment; filename=\"Greeting.exe\"\r\n\r\n";
    const qsizetype start = mail.indexOf(head);
    ASSERT_GE(start, 0);
    const qsizetype end = mail.indexOf("--", start + head.size());
    ASSERT_GT(end, start);
    EXPECT_EQ(QByteArray::fromBase64(mail.mid(start + head.size(), end - start - head.size())),
              cardBytes);
}

} // namespace
