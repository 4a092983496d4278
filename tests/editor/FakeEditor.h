#pragma once

#include "editor/ProjectDocument.h"
#include "editor/widgets/EditorWindow.h"
#include "shared/Error.h"
#include "shared/Settings.h"

#include <QString>
#include <QStringList>
#include <QWidget>

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
    // With Lifetime::Unrecorded the journal gets only what is asked of the editor, not its
    // creation and destruction.
    enum class Lifetime { Recorded, Unrecorded };

    FakeEditor(ly::ProjectEditorKind kind, QStringList &journal, QWidget *dock,
               Lifetime lifetime = Lifetime::Recorded)
        : QWidget(dock), m_kind(kind), m_journal(journal), m_lifetime(lifetime)
    {
        if (m_lifetime == Lifetime::Recorded)
            m_journal.append("create " + kindName(kind));
    }
    ~FakeEditor() override
    {
        if (m_lifetime == Lifetime::Recorded)
            m_journal.append("destroy " + kindName(m_kind));
    }

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
    Lifetime m_lifetime;
};

} // namespace lytest
