#include "editor/StartupAids.h"

#include "shared/CodePage.h"
#include "shared/Paths.h"
#include "shared/Settings.h"

#include <QFile>

namespace ly {

namespace {

const QString kSystem = QStringLiteral("System");

void run(const std::function<void()> &step)
{
    if (step)
        step();
}

} // namespace

bool SystemFlagOn(const QString &key)
{
    return ReadConfig(kSystem, key) == QLatin1String("1");
}

void WriteSystemFlag(const QString &key, bool on)
{
    WriteConfig(kSystem, key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void DispatchQuickStartChoice(const QString &choice, const StartupAidSteps &steps)
{
    if (choice.isEmpty())
        return;
    if (choice == QLatin1String("New"))
        run(steps.newProject);
    else if (choice == QLatin1String("Open"))
        run(steps.openProject);
    else if (steps.openProjectFile)
        steps.openProjectFile(choice);
}

void RunStartupAids(const StartupAidSteps &steps)
{
    if (SystemFlagOn(QStringLiteral("AutoFlag")) && steps.quickStart)
        DispatchQuickStartChoice(steps.quickStart(), steps);
    if (SystemFlagOn(QStringLiteral("EveryStudy")))
        run(steps.tips);
    if (SystemFlagOn(QStringLiteral("SoftUpdate")))
        run(steps.materialDownload);
}

QString TipsFile()
{
    return ProgramDir() + QStringLiteral("text/Message.crd");
}

QStringList TipLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(codepage::toUnicode(QByteArrayView(bytes).sliced(start, i - start)));
        if (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(codepage::toUnicode(QByteArrayView(bytes).sliced(start)));
    return lines;
}

std::optional<QStringList> LoadTips(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    return TipLines(in.readAll());
}

int NextTipIndex(int index, int count)
{
    if (count <= 0)
        return 0;
    return index + 1 >= count ? 0 : index + 1;
}

QString FolderFieldText(const QString &stored, const QString &prefix)
{
    if (stored.startsWith(QLatin1Char('\\')))
        return prefix + stored;
    return stored;
}

QString FolderFromField(const QString &field, const QString &prefix)
{
    const QString text = field.trimmed();
    if (text.startsWith(prefix))
        return text.mid(prefix.size());
    return text;
}

} // namespace ly
