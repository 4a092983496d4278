#include "mail/MailTexts.h"

namespace ly::mail {

QString DefaultSubject(const QString &accountName)
{
    return QLatin1String(kSubjectPrefix) + QStringLiteral("(From:") + accountName
        + QLatin1Char(')');
}

QStringList DefaultBody()
{
    return {QStringLiteral("Hello"),
            QString(),
            QStringLiteral("    [Please delete this, fill in your wish phrase]"),
            QString(),
            QStringLiteral("    [This line of fill in the enclosure in the greeting card of the "
                           "document, to remind your friend, call her( he) download this "
                           "machine and circulate!]"),
            QString(),
            QString(),
            QString()};
}

} // namespace ly::mail
