#include "mail/SmtpLogin.h"

#include "mail/SmtpClient.h"
#include "shared/CodePage.h"
#include "shared/Error.h"

TSmtpLogin::TSmtpLogin(TSmtpClient &client, QObject *parent)
    : QObject(parent), m_client(client)
{
    connect(&m_client, &TSmtpClient::OnTransactionDone, this, &TSmtpLogin::transactionDone);
    connect(&m_client, &TSmtpClient::OnFailure, this, &TSmtpLogin::failure);
}

void TSmtpLogin::Start(const QString &user, const QString &password)
{
    m_user = user;
    m_password = password;
    // Upper case: SASL mechanism names are upper case (RFC 4422 3.1), and servers that
    // compare them exactly refuse "login".
    if (m_client.ReplyCode() == 250) {
        transaction(Step::AuthLogin, QStringLiteral("AUTH LOGIN"));
        return;
    }
    const QString reply = m_client.ReplyText();
    QMetaObject::invokeMethod(
        this, [this, reply] { finish(Result::Refused, reply); }, Qt::QueuedConnection);
}

void TSmtpLogin::transaction(Step step, const QString &command)
{
    m_step = step;
    try {
        m_client.Transaction(command);
    } catch (const ly::Error &e) {
        m_step = Step::Idle;
        const QString text = e.text();
        QMetaObject::invokeMethod(
            this, [this, text] { finish(Result::Failed, text); }, Qt::QueuedConnection);
    }
}

void TSmtpLogin::transactionDone(int code)
{
    switch (m_step) {
    case Step::Idle:
        return;
    case Step::AuthLogin:
        if (code == 334)
            transaction(Step::User, ly::mail::LoginBase64(m_user));
        else
            finish(Result::Refused, m_client.ReplyText());
        return;
    case Step::User:
        if (code == 334)
            transaction(Step::Password, ly::mail::LoginBase64(m_password));
        else
            finish(Result::Refused, m_client.ReplyText());
        return;
    case Step::Password:
        finish(code == 235 ? Result::Authenticated : Result::Refused, m_client.ReplyText());
        return;
    }
}

void TSmtpLogin::failure(const QString &text)
{
    if (m_step != Step::Idle)
        finish(Result::Failed, text);
}

void TSmtpLogin::finish(Result result, const QString &detail)
{
    m_step = Step::Idle;
    m_password.clear();
    Q_EMIT Finished(result, detail);
}

namespace ly::mail {

QString LoginBase64(const QString &value)
{
    return QString::fromLatin1(ly::codepage::fromUnicode(value).toBase64());
}

} // namespace ly::mail
