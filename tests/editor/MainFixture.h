#pragma once

#include "control/widgets/LyFullPicture.h"
#include "editor/ProjectDocument.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/MainUnit.h"
#include "editor/widgets/ShowUnit.h"
#include "platform/Shell.h"
#include "shared/Error.h"
#include "shared/Settings.h"
#include "shared/widgets/Notice.h"
#include "support/Sandbox.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace lytest {

inline QString kindName(ly::ProjectEditorKind kind)
{
    static const char *names[] = {"Background", "Album", "Flash", "Movie", "FrameCard",
                                  "BuildSettings"};
    return QLatin1String(names[int(kind)]);
}

// An editor window that records what the main window asks of it; its save step writes a
// counter into its own section, as the real editors write theirs.
class FakeEditor : public QWidget, public EditorWindow
{
public:
    FakeEditor(ly::ProjectEditorKind kind, QStringList &journal, QWidget *dock)
        : QWidget(dock), m_kind(kind), m_journal(journal)
    {
        m_journal.append("create " + kindName(kind));
    }
    ~FakeEditor() override { m_journal.append("destroy " + kindName(m_kind)); }

    QWidget *Window() override { return this; }
    void LoadStep(const ly::ProjectDocument &) override
    {
        m_journal.append("load " + kindName(m_kind));
        if (!loadFailsWith.isEmpty())
            throw ly::Error(loadFailsWith);
    }
    void SaveStep(const ly::ProjectDocument &project) override
    {
        m_journal.append("save " + kindName(m_kind));
        if (!failWith.isEmpty())
            throw ly::Error(failWith);
        ly::WriteIni("Saved" + kindName(m_kind), "Count", QString::number(++saves),
                     project.CurrentProjectFile());
    }
    void ShowPage() override
    {
        m_journal.append("show " + kindName(m_kind));
        EditorWindow::ShowPage();
    }
    void HideFloatingWindows() override { m_journal.append("hide floating " + kindName(m_kind)); }
    void StopMedia() override { m_journal.append("stop " + kindName(m_kind)); }

    int saves = 0;
    QString failWith;
    QString loadFailsWith;

private:
    ly::ProjectEditorKind m_kind;
    QStringList &m_journal;
};

// Records what the shell would start or open.
class RecordingLauncher : public ly::platform::ShellLauncher
{
public:
    bool startProgram(const QString &program, const QStringList &arguments, const QString &) override
    {
        started.append(program + " | " + arguments.join(' '));
        return true;
    }
    bool openUrl(const QUrl &url) override
    {
        opened.append(url.toString());
        return true;
    }
    QStringList started;
    QStringList opened;
};

// Acts on the modal windows a command opens, in order: each step waits for the next modal
// window of its type. A modal window that no step expects, or one that is still open after
// ten seconds, is recorded and hidden, which ends its modal run (a message box then answers
// Cancel), so a test never hangs.
class ModalScript : public QObject
{
public:
    ModalScript() { QTimer::singleShot(5, this, &ModalScript::poll); }

    template <class Window>
    ModalScript &then(std::function<void(Window *)> act)
    {
        m_steps.push_back({[](QWidget *w) { return qobject_cast<Window *>(w) != nullptr; },
                           [act](QWidget *w) { act(static_cast<Window *>(w)); }});
        m_deadline = QDeadlineTimer(10000);
        return *this;
    }

    bool finished() const { return m_next == m_steps.size(); }
    // Class names of the modal windows that no step expected.
    QStringList unexpected;

private:
    struct Step
    {
        std::function<bool(QWidget *)> matches;
        std::function<void(QWidget *)> act;
    };

    void poll()
    {
        // A new timer each time: a running timer does not fire again while its handler is
        // still on the stack, and a step's action may run the next modal window.
        QTimer::singleShot(5, this, &ModalScript::poll);
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w == m_last)
            return;
        if (m_next < m_steps.size() && m_steps[m_next].matches(w)) {
            m_last = w;
            const Step step = m_steps[m_next++];
            m_deadline = QDeadlineTimer(10000);
            // A step may open the next modal window; polling goes on inside its modal run.
            step.act(w);
            return;
        }
        if (m_next >= m_steps.size() || m_deadline.hasExpired()) {
            unexpected.append(QString::fromLatin1(w->metaObject()->className()));
            m_last = w;
            w->hide();
        }
    }

    std::vector<Step> m_steps;
    size_t m_next = 0;
    QPointer<QWidget> m_last;
    QDeadlineTimer m_deadline{10000};
};

// A sandbox with the main window: fake editors for every page, the shell and the help set
// watched, notices collected, the splash quick.
class MainFixture : public SandboxTest
{
protected:
    MainFixture()
    {
        TFrmShow::SetTickInterval(1);
        ly::SetNoticeHook([](int kind, const QString &text) {
            notices().append(QString::number(kind) + ": " + text);
        });
        notices().clear();
        ly::platform::SetShellLauncher(&launcher);
        QDir().mkpath(cards());
    }
    ~MainFixture() override
    {
        main.reset();
        ly::SetNoticeHook(nullptr);
        ly::platform::SetShellLauncher(nullptr);
    }

    static QStringList &notices()
    {
        static QStringList list;
        return list;
    }

    // A main window as the program makes it, with fake editors; shown (the splash has run).
    void start(const QStringList &arguments = {})
    {
        main = std::make_unique<TFrmMain>(arguments);
        for (int k = 0; k < 6; ++k) {
            const auto kind = ly::ProjectEditorKind(k);
            main->setEditorFactory(kind, [this, kind](TFrmMain &m) {
                auto *editor = new FakeEditor(kind, journal, m.PnlDock);
                editor->loadFailsWith = loadFailures[kind];
                return editor;
            });
        }
        main->setStartupAids([this] {
            ++startupAidsRuns;
            startupAidsSawTheWindow = main->isVisible() && !main->findChild<TFrmShow *>();
        });
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }

    QString cards() const { return sandbox.root() + "Cards/"; }

    // A project file made from the template with the given module keys, and its path.
    QString projectWith(const QString &name, const QStringList &modulesOn)
    {
        const QString file = cards() + name + "/" + name + ".zpj";
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(ly::ProjectTemplate());
        out.close();
        for (const QString &key : modulesOn)
            ly::WriteIni("Application", key, "1", file);
        return file;
    }

    FakeEditor *editor(ly::ProjectEditorKind kind)
    {
        return static_cast<FakeEditor *>(main->Editor(kind));
    }

    std::unique_ptr<TFrmMain> main;
    RecordingLauncher launcher;
    QStringList journal;
    std::map<ly::ProjectEditorKind, QString> loadFailures;
    int startupAidsRuns = 0;
    bool startupAidsSawTheWindow = false;
};

} // namespace lytest
