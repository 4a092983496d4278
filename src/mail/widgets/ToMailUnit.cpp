#include "mail/widgets/ToMailUnit.h"

#include "mail/ConnectionState.h"
#include "mail/MailTexts.h"
#include "mail/SmtpSecurity.h"
#include "shared/Error.h"
#include "shared/widgets/Notice.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

using namespace ly::mail;

namespace {
constexpr int kMaxAttempts = 3;
constexpr int kAttemptDelayMs = 50;
} // namespace

TFrmToMail::TFrmToMail(const MailAccount &account, const TMailMessage &message,
                       const QString &toText, QWidget *parent)
    : QDialog(parent)
    , LblUser(new QLabel(this))
    , LblSmtp(new QLabel(this))
    , LblMailTitle(new QLabel(this))
    , LblSendMails(new QLabel(this))
    , LblState(new QLabel(this))
    , ProgressBar1(new QProgressBar(this))
    , BtnCancel(new QPushButton(this))
    , m_account(account)
    , m_message(message)
    , m_toText(toText)
    , m_attempt(SmtpClient1)
{
    m_message.FromName = account.name;
    m_message.FromAddress = account.mailAddress;
    for (QLabel *label : {LblUser, LblSmtp, LblMailTitle, LblSendMails, LblState})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblMailTitle->setWordWrap(true);
    LblSendMails->setWordWrap(true);
    LblState->setWordWrap(true);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    ProgressBar1->setAccessibleName(QStringLiteral("ProgressBar1"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LblUser);
    layout->addWidget(LblSmtp);
    layout->addWidget(LblMailTitle);
    layout->addWidget(LblSendMails);
    layout->addWidget(ProgressBar1);
    layout->addWidget(LblState);
    layout->addLayout(buttons);
    resize(420, 220);

    Timer1.setSingleShot(true);
    Timer1.setInterval(kAttemptDelayMs);
    connect(&Timer1, &QTimer::timeout, this, &TFrmToMail::Timer1Timer);
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmToMail::BtnCancelClick);
    connect(&m_attempt, &TSmtpAttempt::Finished, this, &TFrmToMail::attemptFinished);
    // Direct: the handler answers through its reference arguments.
    connect(&SmtpClient1, &TSmtpClient::OnAuthenticationFailed, this,
            &TFrmToMail::authenticationFailed, Qt::DirectConnection);
    connect(&SmtpClient1, &TSmtpClient::OnPacketSent, this, &TFrmToMail::packetSent);
    SetTexts();
}

void TFrmToMail::SetTexts()
{
    setWindowTitle(QStringLiteral("The mail sends out"));
    BtnCancel->setText(QStringLiteral("&Cancel"));
    LblUser->setText(m_account.userName);
    LblSmtp->setText(m_account.smtpServer);
    LblMailTitle->setText(QStringLiteral("Send out the mail:") + m_message.Subject);
    LblSendMails->setText(QStringLiteral("Mail address:") + m_toText);
}

void TFrmToMail::Timer1Timer()
{
    Timer1.stop();
    if (m_closing)
        return;
    if (!InternetConnected()) {
        ly::ShowNotice(ly::NoticeError, QLatin1String(kNetworkProblemText));
        return;
    }
    attempt();
}

void TFrmToMail::attempt()
{
    ++m_try;
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    LblState->clear();
    SmtpClient1.Host = m_account.smtpServer;
    SmtpClient1.Port = EffectivePort(m_account.port, m_account.security);
    SmtpClient1.Security = m_account.security;
    SmtpClient1.UserID = m_account.userName;
    // The machine's own name; a name the user gave when the server refused it holds for
    // one attempt only.
    SmtpClient1.HeloName.clear();
    SmtpClient1.TimeOut = TimeOut;
    SmtpClient1.Charset = QStringLiteral("us-ascii");
    SmtpClient1.ClearParams = true;
    try {
        // A fresh connection and a fresh login every time.
        m_attempt.Start(m_message, m_account.userName, m_account.password);
    } catch (const ly::Error &e) {
        const QString text = e.text();
        QMetaObject::invokeMethod(
            this, [this, text] { attemptFinished(TSmtpAttempt::Outcome::Failed, text); },
            Qt::QueuedConnection);
    }
}

void TFrmToMail::attemptFinished(TSmtpAttempt::Outcome outcome, const QString &detail)
{
    // After Cancel or a close, the attempt's end is nobody's business any more.
    if (m_closing)
        return;
    using Outcome = TSmtpAttempt::Outcome;
    switch (outcome) {
    case Outcome::Sent:
        ly::ShowNotice(ly::NoticeInformation, QLatin1String(kSentText));
        accept();
        return;
    case Outcome::ConnectionFailed:
        ly::ShowNotice(ly::NoticeWarning, QLatin1String(kNetworkProblemText));
        reject();
        return;
    case Outcome::LoginFailed:
        ly::ShowNotice(ly::NoticeError, QLatin1String(kConnectionFailText));
        ly::ShowNotice(ly::NoticeInformation, QLatin1String(kLoginRefusedText));
        reject();
        return;
    case Outcome::LoginRefused:
        ly::ShowNotice(ly::NoticeInformation, QLatin1String(kLoginRefusedText));
        reject();
        return;
    // Another attempt would meet the same certificate or the same server rules.
    case Outcome::TlsFailed:
        ly::ShowNotice(ly::NoticeError, TlsFailedMessage(m_account.smtpServer, detail));
        reject();
        return;
    case Outcome::TlsRequired:
        ly::ShowNotice(ly::NoticeError, TlsRequiredMessage(m_account.smtpServer));
        reject();
        return;
    case Outcome::AuthRefused:
        ly::ShowNotice(ly::NoticeError, AuthRefusedMessage(m_account.smtpServer, detail));
        reject();
        return;
    case Outcome::Failed:
        break;
    }
    setWindowTitle(QStringLiteral("Send") + QString::number(m_try));
    LblState->setText(detail);
    if (m_try >= kMaxAttempts) {
        ly::ShowNotice(ly::NoticeError, QLatin1String(kSendFailureText));
        reject();
        return;
    }
    Timer1.start();
}

void TFrmToMail::authenticationFailed(QString &userId, bool &retry)
{
    QPointer<TFrmToMail> alive(this);
    bool ok = false;
    const QString name = QInputDialog::getText(
        this, QStringLiteral("Mail user's name[") + userId + QStringLiteral("]Establish the failure"),
        QStringLiteral("Please input the new mail user's name:"), QLineEdit::Normal, userId, &ok);
    if (!alive || m_closing)
        return;
    if (ok) {
        userId = name;
        retry = true;
    }
}

void TFrmToMail::packetSent(qint64 sent, qint64 total)
{
    // The bar counts in ints; a message beyond their range is shown in kilobytes.
    const qint64 scale = total > std::numeric_limits<int>::max() ? 1024 : 1;
    ProgressBar1->setRange(0, int(total / scale));
    ProgressBar1->setValue(int(sent / scale));
}

void TFrmToMail::BtnCancelClick()
{
    // Closing stops the client; the attempt it ends shows nothing and none follows.
    reject();
}

void TFrmToMail::done(int result)
{
    // However the window closes, whatever the client is still doing stops, and its end
    // shows nothing.
    m_closing = true;
    Timer1.stop();
    SmtpClient1.Abort();
    QDialog::done(result);
}
