#include "editor/CardMail.h"

#include "platform/MailHandOff.h"
#include "shared/Settings.h"

namespace ly {

QString CardMailBody()
{
    return QStringList{
        QStringLiteral("Hello"),
        QString(),
        QStringLiteral("    Please delete this, fill in your wish phrase"),
        QString(),
        QStringLiteral("    This line of fill in the enclosure in the greeting card of the "
                       "document, to remind your friend, call her( he) download this machine "
                       "and circulate"),
        QString(),
        QString(26, QLatin1Char(' ')),
    }.join(QStringLiteral("\r\n"));
}

QStringList FinishedCardAttachments()
{
    const QString card = ReadConfig(QStringLiteral("Finished"), QStringLiteral("FinishedExe"));
    return card.isEmpty() ? QStringList() : QStringList{card};
}

void MailFinishedCard(QObject *window)
{
    SendCardByMapi(window, QString(), kCardMailSubject, FinishedCardAttachments(),
                   CardMailBody());
}

} // namespace ly
