#include "mail/DomainTable.h"

#include "mail/MailFiles.h"
#include "shared/CodePage.h"

namespace ly::mail {

QString LookUpSmtpServer(const QString &domain, const QString &tableFile)
{
    if (domain.isEmpty())
        return QString();
    for (const QByteArray &line : readTextLines(tableFile).value_or(QByteArrayList())) {
        const QString text = codepage::toUnicode(line);
        if (itemValue(text, QStringLiteral("W")) == domain)
            return itemValue(text, QStringLiteral("S"));
    }
    return QString();
}

std::optional<MailAddressGuess> GuessFromMailAddress(const QString &mailAddress,
                                                     const QString &tableFile)
{
    const QString address = mailAddress.trimmed();
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at < 0)
        return std::nullopt;
    MailAddressGuess guess;
    guess.userName = address.left(at);
    const QString domain = address.mid(at + 1);
    const QString server = LookUpSmtpServer(domain, tableFile);
    guess.serverFromTable = !server.isEmpty();
    guess.smtpServer = guess.serverFromTable ? server : domain;
    return guess;
}

} // namespace ly::mail
