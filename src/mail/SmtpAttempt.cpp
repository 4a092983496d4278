#include "mail/SmtpAttempt.h"

#include "mail/SmtpClient.h"
#include "mail/SmtpSecurity.h"
#include "shared/Error.h"

#include <QDateTime>

TSmtpAttempt::TSmtpAttempt(TSmtpClient &client, QObject *parent)
    : QObject(parent), m_client(client), m_login(client)
{
    connect(&m_client, &TSmtpClient::OnConnect, this, &TSmtpAttempt::connected);
    connect(&m_client, &TSmtpClient::OnConnectionFailed, this,
            [this] { m_connectionFailed = true; });
    connect(&m_client, &TSmtpClient::OnTlsFailed, this, [this] { m_tlsFailed = true; });
    connect(&m_login, &TSmtpLogin::Finished, this, &TSmtpAttempt::loggedIn);
    connect(&m_client, &TSmtpClient::OnSuccess, this, &TSmtpAttempt::sent);
    connect(&m_client, &TSmtpClient::OnDisconnect, this, &TSmtpAttempt::disconnected);
    connect(&m_client, &TSmtpClient::OnFailure, this, &TSmtpAttempt::failure);
}

void TSmtpAttempt::Start(const TMailMessage &message, const QString &user,
                         const QString &password)
{
    // Each attempt opens a fresh connection.
    m_client.Abort();
    m_message = message;
    m_user = user;
    m_password = password;
    m_connectionFailed = false;
    m_tlsFailed = false;
    m_phase = Phase::Connecting;
    m_client.Connect();
}

void TSmtpAttempt::connected()
{
    if (m_phase != Phase::Connecting)
        return;
    m_phase = Phase::LoggingIn;
    m_login.Start(m_user, m_password);
}

void TSmtpAttempt::loggedIn(TSmtpLogin::Result result, const QString &detail)
{
    if (m_phase != Phase::LoggingIn)
        return;
    switch (result) {
    case TSmtpLogin::Result::Authenticated:
        break;
    case TSmtpLogin::Result::Refused:
        m_client.Abort();
        finish(Outcome::LoginRefused, detail);
        return;
    case TSmtpLogin::Result::Failed:
        m_client.Abort();
        finish(Outcome::LoginFailed, detail);
        return;
    case TSmtpLogin::Result::TlsRequired:
        fail(Outcome::TlsRequired, detail);
        return;
    case TSmtpLogin::Result::Unavailable:
        fail(Outcome::AuthRefused, detail);
        return;
    }
    m_phase = Phase::Sending;
    m_client.MailMessage = m_message;
    m_client.MailMessage.Date = ly::mail::DateText(QDateTime::currentDateTime());
    try {
        m_client.SendMail();
    } catch (const ly::Error &e) {
        fail(Outcome::Failed, e.text());
    }
}

void TSmtpAttempt::sent()
{
    if (m_phase != Phase::Sending)
        return;
    m_phase = Phase::Quitting;
    if (m_client.Connected())
        m_client.Disconnect();
    else
        finish(Outcome::Sent, QString());
}

void TSmtpAttempt::disconnected()
{
    if (m_phase == Phase::Quitting)
        finish(Outcome::Sent, QString());
    else if (m_phase == Phase::Closing)
        finish(m_outcome, m_detail);
}

void TSmtpAttempt::failure(const QString &text)
{
    switch (m_phase) {
    case Phase::Idle:
    case Phase::LoggingIn: // the login reports its own failure
        break;
    case Phase::Connecting:
        fail(m_connectionFailed ? Outcome::ConnectionFailed
             : m_tlsFailed      ? Outcome::TlsFailed
                                : Outcome::Failed,
             text);
        break;
    case Phase::Sending:
        fail(!m_client.Encrypted() && ly::mail::RequiresTls(m_client.ReplyCode(), text)
                 ? Outcome::TlsRequired
                 : Outcome::Failed,
             text);
        break;
    case Phase::Quitting:
        // The server has taken the mail with its reply to "."; a failing goodbye does not
        // make it unsent, and sending it again would deliver it twice.
        m_client.Abort();
        finish(Outcome::Sent, QString());
        break;
    case Phase::Closing:
        m_client.Abort();
        finish(m_outcome, m_detail);
        break;
    }
}

void TSmtpAttempt::fail(Outcome outcome, const QString &detail)
{
    if (m_client.Connected() && !m_client.Busy()) {
        m_phase = Phase::Closing;
        m_outcome = outcome;
        m_detail = detail;
        m_client.Disconnect();
        return;
    }
    m_client.Abort();
    finish(outcome, detail);
}

void TSmtpAttempt::finish(Outcome outcome, const QString &detail)
{
    m_phase = Phase::Idle;
    m_password.clear();
    Q_EMIT Finished(outcome, detail);
}
