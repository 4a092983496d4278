#pragma once

#include <QString>
#include <QStringList>

class QObject;

// The editor's hand-off of the last built card (config.ini [Finished] FinishedExe) to the
// user's mail program.
namespace ly {

inline const QString kCardMailSubject = QStringLiteral("Your Lyrabell is Coming");
// The mail's text, its lines joined by CR LF, without a line end after the last one.
QString CardMailBody();
// FinishedExe as the only attachment, or none when no card has been built.
QStringList FinishedCardAttachments();
// The Outlook command: a new mail without recipient, with the subject, the body and the card.
void MailFinishedCard(QObject *window);

} // namespace ly
