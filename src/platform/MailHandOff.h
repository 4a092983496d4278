#pragma once

#include <QString>
#include <QStringList>

class QObject;

// Handing a mail to the user's mail program, which opens its compose window pre-filled; the
// user sends from there. The desktop's way is xdg-email.
namespace ly::platform {

struct MailRequest
{
    QString to;              // may be empty
    QString subject;
    QString body;
    QStringList attachments; // full paths
};

class MailHandOff
{
public:
    virtual ~MailHandOff() = default;
    // Whether a mail program can be reached at all.
    virtual bool available() = 0;
    // Starts the compose window without waiting for it; false when nothing could be started.
    virtual bool send(const MailRequest &request) = 0;
};

// nullptr restores xdg-email.
void SetMailHandOff(MailHandOff *handOff);
MailHandOff &CurrentMailHandOff();

// The arguments xdg-email gets for a request: "--utf8", then "--subject" and "--body" when
// they are not empty, one "--attach" per attachment, and the recipient last when there is one
// (never one that begins with "-").
QStringList XdgEmailArguments(const MailRequest &request);

} // namespace ly::platform

namespace ly {

// One mail through the mail program, on behalf of the window (none: nullptr). Empty values are
// left out, attachments are taken in order up to the first empty one, and an attachment that
// does not exist is left out (the mail program would refuse the whole mail). Nothing is shown
// and nothing is reported when no mail program is available or it fails.
void SendCardByMapi(QObject *window, const QString &recipient, const QString &subject,
                    const QStringList &attachments, const QString &body);

} // namespace ly
