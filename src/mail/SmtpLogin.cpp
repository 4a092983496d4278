#include "mail/SmtpLogin.h"

#include "mail/SmtpClient.h"
#include "shared/CodePage.h"
#include "mail/SmtpSecurity.h"
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
    if (m_client.TlsOffered() && !m_client.Encrypted()) {
        QMetaObject::invokeMethod(
            this, [this] { finish(Result::Failed, QStringLiteral("TLS is not in place")); },
            Qt::QueuedConnection);
        return;
    }
    // Upper case: SASL mechanism names are upper case (RFC 4422 3.1), and servers that
    // compare them exactly refuse "login".
    if (m_client.ReplyCode() == 250) {
        const QStringList mechanisms = m_client.AuthMechanisms();
        if (mechanisms.contains(QLatin1String("PLAIN"))
            && !mechanisms.contains(QLatin1String("LOGIN")))
            transaction(Step::Plain,
                        QLatin1String("AUTH PLAIN ") + ly::mail::PlainBase64(user, password));
        else
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
            finish(refusal(code, false), m_client.ReplyText());
        return;
    case Step::User:
        if (code == 334)
            transaction(Step::Password, ly::mail::LoginBase64(m_password));
        else
            finish(refusal(code, false), m_client.ReplyText());
        return;
    case Step::Password:
    case Step::Plain:
        finish(code == 235 ? Result::Authenticated : refusal(code, true), m_client.ReplyText());
        return;
    }
}

TSmtpLogin::Result TSmtpLogin::refusal(int code, bool valuesSent) const
{
    const QString text = m_client.ReplyText();
    if (!m_client.Encrypted() && ly::mail::RequiresTls(code, text))
        return Result::TlsRequired;
    // 535 5.7.8: the credentials are wrong (RFC 4954 6). A permanent refusal of the values
    // themselves says the same, unless it names another reason: 534 mechanism too weak,
    // 538 encryption required.
    if (code == 535 || text.contains(QLatin1String("5.7.8")))
        return Result::Refused;
    if (valuesSent && code >= 500 && code != 534 && code != 538)
        return Result::Refused;
    return Result::Unavailable;
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

QString PlainBase64(const QString &user, const QString &password)
{
    const QByteArray response =
        '\0' + ly::codepage::fromUnicode(user) + '\0' + ly::codepage::fromUnicode(password);
    return QString::fromLatin1(response.toBase64());
}

} // namespace ly::mail
