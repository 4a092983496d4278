#pragma once

#include "FakeEditor.h"

#include "control/widgets/LyFullPicture.h"
#include "editor/ProjectDocument.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/MainUnit.h"
#include "editor/widgets/ShowUnit.h"
#include "platform/Shell.h"
#include "shared/Error.h"
#include "shared/Settings.h"
#include "shared/widgets/Notice.h"
#include "support/Modal.h"
#include "support/RecordingLauncher.h"
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
