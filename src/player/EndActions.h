#pragma once

#include <QString>
#include <QStringList>

// What a card does around its playing, from its [System] keys: the web page and the reply
// mail at its end (handed to the desktop's xdg-open and xdg-email, found on PATH) and the
// start at log-in (an XDG autostart entry).
namespace ly::player {

// The page of OpenHttp when it is a real http or https address with a host ("http://" alone
// is none); empty otherwise.
QString WebPageOf(const QString &openHttp);
// The address of SendMail, percent-encoded for a mailto address, when it is one real address
// (local part "@" domain with a dot, nothing else); empty otherwise.
QString MailAddressOf(const QString &sendMail);

// Starts program (looked up on PATH) with the arguments, detached; false when it is missing
// or cannot be started.
bool StartDesktopProgram(const QString &program, const QStringList &arguments);

// The autostart entry of the card program card: $XDG_CONFIG_HOME/autostart/lyrabell-card-
// <hash of the card's path>.desktop.
QString AutostartEntryFile(const QString &card);
// Writes the entry that starts card at log-in. Throws ly::Error when it cannot be written.
void WriteAutostartEntry(const QString &card, const QString &title);
// Removes the entry of card; true when there was one.
bool RemoveAutostartEntry(const QString &card);

} // namespace ly::player
