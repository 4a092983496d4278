#pragma once

#include "mail/ConnectionState.h"
#include "mail/MailAccount.h"
#include "mail/MailFiles.h"
#include "shared/widgets/Notice.h"
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

// Answers the modal windows that a command runs, one answer per window in the order given.
// A modal window still open after ten seconds (one that no answer is meant for, or one an
// answer left open) is recorded and closed, so a test never hangs on a modal run.
class ModalAnswers : public QObject
{
public:
    ModalAnswers() { schedule(); }

    template <class Window>
    ModalAnswers &then(std::function<void(Window *)> answer)
    {
        m_answers.push_back([answer](QWidget *w) {
            auto *window = qobject_cast<Window *>(w);
            if (window)
                answer(window);
            return window != nullptr;
        });
        return *this;
    }

    bool allAnswered() const { return m_answers.empty(); }
    QStringList unexpected;

private:
    // A fresh single shot each time: an answer may run a modal window of its own, and the
    // polling must go on inside it.
    void schedule() { QTimer::singleShot(10, this, &ModalAnswers::poll); }

    void poll()
    {
        schedule();
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (w != m_seen) {
            m_seen = w;
            m_since = QDeadlineTimer(10000);
            if (!m_answers.empty() && m_answers.front()(w)) {
                m_answers.pop_front();
                return;
            }
        }
        if (m_since.hasExpired()) {
            unexpected.append(QString::fromLatin1(w->metaObject()->className()));
            if (auto *dialog = qobject_cast<QDialog *>(w))
                dialog->reject();
            else
                w->close();
        }
    }

    std::deque<std::function<bool(QWidget *)>> m_answers;
    QPointer<QWidget> m_seen;
    QDeadlineTimer m_since{10000};
};

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
