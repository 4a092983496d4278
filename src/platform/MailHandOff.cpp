#include "platform/MailHandOff.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace ly::platform {

namespace {

const QString kXdgEmail = QStringLiteral("xdg-email");

// xdg-email, found on PATH when a mail is handed off (so a mail program installed while the
// editor runs is used), and started detached: it waits for the mail program, the editor does
// not.
class XdgEmail : public MailHandOff
{
public:
    bool available() override { return !QStandardPaths::findExecutable(kXdgEmail).isEmpty(); }

    bool send(const MailRequest &request) override
    {
        const QString program = QStandardPaths::findExecutable(kXdgEmail);
        if (program.isEmpty())
            return false;
        return QProcess::startDetached(program, XdgEmailArguments(request));
    }
};

MailHandOff *g_handOff = nullptr;

} // namespace

void SetMailHandOff(MailHandOff *handOff)
{
    g_handOff = handOff;
}

MailHandOff &CurrentMailHandOff()
{
    static XdgEmail xdgEmail;
    return g_handOff ? *g_handOff : xdgEmail;
}

QStringList XdgEmailArguments(const MailRequest &request)
{
    // Every text after --utf8 is taken as UTF-8, whatever the locale says.
    QStringList arguments = {QStringLiteral("--utf8")};
    if (!request.subject.isEmpty())
        arguments << QStringLiteral("--subject") << request.subject;
    if (!request.body.isEmpty())
        arguments << QStringLiteral("--body") << request.body;
    for (const QString &file : request.attachments)
        arguments << QStringLiteral("--attach") << file;
    // A recipient that looks like an option would be read as one.
    if (!request.to.isEmpty() && !request.to.startsWith(QLatin1Char('-')))
        arguments << request.to;
    return arguments;
}

} // namespace ly::platform

namespace ly {

void SendCardByMapi(QObject * /*window*/, const QString &recipient, const QString &subject,
                    const QStringList &attachments, const QString &body)
{
    platform::MailRequest request{recipient, subject, body, {}};
    for (const QString &file : attachments) {
        if (file.isEmpty())
            break;
        if (QFileInfo(file).isFile())
            request.attachments.append(QFileInfo(file).absoluteFilePath());
    }
    platform::MailHandOff &handOff = platform::CurrentMailHandOff();
    if (handOff.available())
        handOff.send(request);
}

} // namespace ly
