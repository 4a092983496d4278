#include "tool/Tool.h"

#include "editor/BuilderUnit.h"
#include "shared/Error.h"

#include <QFileInfo>

namespace tool {

namespace {

// Prints the step texts as the build shows them.
class PrintedProgress : public ly::BuildProgress
{
public:
    void SetZipShow(const QString &text) override { print(text); }
    void SetFileShow(const QString &text) override { print(text); }
    void SetFileBar(int, int) override {}

private:
    static void print(const QString &text)
    {
        if (!text.isEmpty())
            printLine(text);
    }
};

void requireOk(ly::BuilderCheck check)
{
    if (check != ly::BuilderCheck::Ok)
        throw ly::Error(ly::BuilderCheckText(check));
}

} // namespace

int runBuild(const QStringList &args)
{
    requireArgs(args, 2, 2);
    const QString project = QFileInfo(args[0]).absoluteFilePath();
    if (!QFileInfo(project).isFile())
        throw ly::Error(QStringLiteral("Cannot find the project file \"%1\"").arg(args[0]));
    const QString output = QFileInfo(args[1]).absoluteFilePath();
    requireOk(ly::CheckBackground(project));
    ly::TidyProjectFolder(project);
    requireOk(ly::CheckOutput(project, output));
    ly::StartCard(project, output);
    PrintedProgress progress;
    ly::CardBuilder(project, output, progress).Build();
    return 0;
}

} // namespace tool
