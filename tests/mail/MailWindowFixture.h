#pragma once

#include "mail/ConnectionState.h"
#include "mail/MailAccount.h"
#include "mail/MailFiles.h"
#include "shared/widgets/Notice.h"
#include "support/Modal.h"
#include "support/Sandbox.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace lytest {

// A sandbox with the mail data folder and its domain table, notices collected instead of
// shown, and the network reported as up.
class MailWindowFixture : public SandboxTest
{
protected:
    MailWindowFixture()
    {
        sandbox.copyContent(QStringLiteral("Mail"));
        notices().clear();
        ly::SetNoticeHook([](int kind, const QString &text) {
            notices().append(QString::number(kind) + QStringLiteral(": ") + text);
        });
        ly::mail::OverrideInternetConnected(true);
    }
    ~MailWindowFixture() override
    {
        ly::SetNoticeHook(nullptr);
        ly::mail::OverrideInternetConnected(std::nullopt);
    }

    static QStringList &notices()
    {
        static QStringList list;
        return list;
    }

    static ly::mail::MailAccount alice()
    {
        return {QStringLiteral("Lyra Bell"), QStringLiteral("lyra@x.test"),
                QStringLiteral("127.0.0.1"), true, QStringLiteral("alice"),
                QStringLiteral("secret")};
    }
    // As the account window saves it: the record and its side file.
    void writeAccount(const ly::mail::MailAccount &account = alice())
    {
        ly::mail::SaveAccount(ly::mail::AccountFile(), account);
    }
};

} // namespace lytest
