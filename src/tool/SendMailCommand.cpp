#include "tool/Tool.h"

#include "mail/MailFiles.h"
#include "mail/MailMessage.h"
#include "mail/MailTexts.h"
#include "mail/SmtpAttempt.h"
#include "mail/SmtpClient.h"
#include "mail/SmtpSecurity.h"
#include "shared/CodePage.h"
#include "shared/Error.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QMap>

namespace tool {

namespace {

const QStringList kRequired = {"--host",      "--user", "--password", "--from-name",
                               "--from",      "--to",   "--subject"};
const QStringList kOptional = {"--port", "--cc", "--body-file", "--security", "--ca-file"};

QStringList bodyLinesOf(const QString &path)
{
    QStringList lines;
    for (const QByteArray &line : ly::mail::splitTextLines(ly::mail::readWholeFile(path)))
        lines.append(ly::codepage::toUnicode(line));
    return lines;
}

// The mail program's texts for the outcomes of a send, as its sending window shows them.
QString outcomeText(TSmtpAttempt::Outcome outcome, const QString &server, const QString &detail)
{
    using namespace ly::mail;
    switch (outcome) {
    case TSmtpAttempt::Outcome::TlsFailed:
        return ly::mail::TlsFailedMessage(server, detail);
    case TSmtpAttempt::Outcome::TlsRequired:
        return ly::mail::TlsRequiredMessage(server);
    case TSmtpAttempt::Outcome::AuthRefused:
        return ly::mail::AuthRefusedMessage(server, detail);
    case TSmtpAttempt::Outcome::Sent:
        return QLatin1String(kSentText);
    case TSmtpAttempt::Outcome::ConnectionFailed:
        return QLatin1String(kNetworkProblemText);
    case TSmtpAttempt::Outcome::LoginFailed:
        return QLatin1String(kConnectionFailText) + QLatin1Char('\n')
            + QLatin1String(kLoginRefusedText);
    case TSmtpAttempt::Outcome::LoginRefused:
        return QLatin1String(kLoginRefusedText);
    case TSmtpAttempt::Outcome::Failed:
        break;
    }
    return QLatin1String(kSendFailureText);
}

} // namespace

int runSendMail(const QStringList &args)
{
    QMap<QString, QString> values;
    QStringList attachments;
    if (args.size() % 2 != 0)
        throw Usage{};
    for (qsizetype i = 0; i < args.size(); i += 2) {
        const QString &name = args[i];
        if (name == QLatin1String("--attach"))
            attachments.append(QFileInfo(args[i + 1]).absoluteFilePath());
        else if ((kRequired.contains(name) || kOptional.contains(name)) && !values.contains(name))
            values.insert(name, args[i + 1]);
        else
            throw Usage{};
    }
    for (const QString &name : kRequired) {
        if (!values.contains(name))
            throw Usage{};
    }
    bool securityOk = true;
    const ly::mail::SmtpSecurity security = ly::mail::SecurityFromName(
        values.value(QStringLiteral("--security"), QStringLiteral("none")), &securityOk);
    bool portOk = true;
    const uint port = values.contains(QStringLiteral("--port"))
                          ? values.value(QStringLiteral("--port")).toUInt(&portOk)
                          : ly::mail::EffectivePort(0, security);
    if (!securityOk || !portOk || port == 0 || port > 65535)
        throw Usage{};

    TMailMessage message;
    message.FromName = values.value(QStringLiteral("--from-name"));
    message.FromAddress = values.value(QStringLiteral("--from"));
    message.ToAddress = ly::mail::RecipientList(values.value(QStringLiteral("--to")));
    message.ToCarbonCopy = ly::mail::RecipientList(values.value(QStringLiteral("--cc")));
    message.Subject = values.value(QStringLiteral("--subject"));
    if (values.contains(QStringLiteral("--body-file")))
        message.Body = bodyLinesOf(values.value(QStringLiteral("--body-file")));
    message.Attachments = attachments;
    // Copy recipients alone do not make a mail.
    if (message.ToAddress.isEmpty())
        throw ly::Error(QLatin1String(ly::mail::kNoAccountText));

    const QString user = values.value(QStringLiteral("--user"));
    TSmtpClient client;
    client.Host = values.value(QStringLiteral("--host"));
    client.Port = quint16(port);
    client.Security = security;
    if (values.contains(QStringLiteral("--ca-file")))
        client.CaFile = QFileInfo(values.value(QStringLiteral("--ca-file"))).absoluteFilePath();
    client.UserID = user;
    QObject::connect(&client, &TSmtpClient::OnRecipientNotFound, [&client](const QString &a) {
        printLine(QStringLiteral("Recipient refused: %1 (%2)").arg(a, client.ReplyText()));
    });

    // Every wait inside the attempt is bounded by the client's TimeOut, so the loop ends.
    TSmtpAttempt attempt(client);
    QEventLoop loop;
    bool finished = false;
    TSmtpAttempt::Outcome outcome = TSmtpAttempt::Outcome::Failed;
    QString detail;
    QObject::connect(&attempt, &TSmtpAttempt::Finished,
                     [&](TSmtpAttempt::Outcome o, const QString &d) {
                         finished = true;
                         outcome = o;
                         detail = d;
                         loop.quit();
                     });
    attempt.Start(message, user, values.value(QStringLiteral("--password")));
    if (!finished)
        loop.exec();

    if (outcome == TSmtpAttempt::Outcome::Sent) {
        printLine(outcomeText(outcome, client.Host, detail));
        return 0;
    }
    QString text = outcomeText(outcome, client.Host, detail);
    // The texts of TLS and AUTH refusals carry the detail themselves.
    const bool ownDetail = outcome == TSmtpAttempt::Outcome::TlsFailed
                           || outcome == TSmtpAttempt::Outcome::AuthRefused;
    if (!detail.isEmpty() && !ownDetail)
        text += QLatin1Char('\n') + detail;
    throw ly::Error(text);
}

} // namespace tool
