#include "editor/widgets/StartupAidsUnit.h"

#include "editor/StartupAids.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/AutoUnit.h"
#include "editor/widgets/EveryDayUnit.h"
#include "editor/widgets/MainUnit.h"

void ShowQuickStart(TFrmMain &main)
{
    TFrmAuto quickStart(main.ImgLeft, [&main] { main.HelpClick(); }, &main);
    quickStart.ShowModal();
    main.QuickStartChoice = quickStart.Choice();
}

void ShowTipOfTheDay(TFrmMain &main)
{
    TFrmEveryDay tips(main.ImgLeft, &main);
    tips.ShowModal();
}

void RunMainStartupAids(TFrmMain &main)
{
    ly::StartupAidSteps steps;
    steps.quickStart = [&main] {
        ShowQuickStart(main);
        return main.QuickStartChoice;
    };
    // A command that fails reports as any command does; the aids after it still run.
    steps.newProject = [&main] { ly::RunGuarded([&main] { main.New1Click(); }); };
    steps.openProject = [&main] { ly::RunGuarded([&main] { main.Open1Click(); }); };
    steps.openProjectFile = [&main](const QString &path) {
        ly::RunGuarded([&main, &path] { main.OpenProject(path); });
    };
    steps.tips = [&main] { ShowTipOfTheDay(main); };
    steps.materialDownload = [&main] { main.UpdateSoftClick(); };
    ly::RunStartupAids(steps);
}
