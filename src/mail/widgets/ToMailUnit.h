#pragma once

#include "mail/MailAccount.h"
#include "mail/MailMessage.h"
#include "mail/SmtpAttempt.h"
#include "mail/SmtpClient.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The sending window: sends the composed mail through the SMTP client, in up to three
// attempts, each a fresh connection with its own login, while a progress bar follows the
// message going out. The window never waits on the network itself: the client and the
// attempt are state machines driven by the socket's signals.
class TFrmToMail : public QDialog
{
    Q_OBJECT

public:
    // message: the recipients, subject, body and attachments (the sender is taken from the
    // account); toText: the To text as typed, for the window's label.
    TFrmToMail(const ly::mail::MailAccount &account, const TMailMessage &message,
               const QString &toText, QWidget *parent = nullptr);

    // The wait bound of every attempt's connection; host, port and security come from the
    // account.
    int TimeOut = 10000;

    QLabel *LblUser;
    QLabel *LblSmtp;
    QLabel *LblMailTitle;
    QLabel *LblSendMails;
    QLabel *LblState;
    QProgressBar *ProgressBar1;
    QPushButton *BtnCancel;
    QTimer Timer1; // 50 ms before each attempt; the main window starts it

    TSmtpClient SmtpClient1;

    void SetTexts();
    // The attempt number, 0 before the first.
    int Attempts() const { return m_try; }

    void Timer1Timer();
    void BtnCancelClick();

    void done(int result) override;

private:
    void attempt();
    void attemptFinished(TSmtpAttempt::Outcome outcome, const QString &detail);
    void authenticationFailed(QString &userId, bool &retry);
    void packetSent(qint64 sent, qint64 total);

    ly::mail::MailAccount m_account;
    TMailMessage m_message;
    QString m_toText;
    TSmtpAttempt m_attempt;
    int m_try = 0;
    bool m_closing = false;
};
