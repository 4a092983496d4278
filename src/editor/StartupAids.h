#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The start-up aids without their windows: the order and conditions in which they run, the
// tips file and the folder fields of the options dialog.
namespace ly {

// A [System] flag of config.ini: on when its value is exactly "1".
bool SystemFlagOn(const QString &key);
// Writes a [System] flag as "1" or "0".
void WriteSystemFlag(const QString &key, bool on);

// What the start-up aids do, each step supplied by the main window.
struct StartupAidSteps
{
    // Shows the quick start window and returns its answer: "New", "Open", a project path or
    // an empty text.
    std::function<QString()> quickStart;
    std::function<void()> newProject;
    std::function<void()> openProject;
    std::function<void(const QString &path)> openProjectFile;
    std::function<void()> tips;
    std::function<void()> materialDownload;
};

// In this order: the quick start when [System] AutoFlag is on, followed by what it chose;
// the tips when EveryStudy is on; the material download when SoftUpdate is on. Each flag is
// read when its step comes.
void RunStartupAids(const StartupAidSteps &steps);
// Runs the step a quick start answer names ("New", "Open", a path; nothing for "").
void DispatchQuickStartChoice(const QString &choice, const StartupAidSteps &steps);

// ProgramDir() + "text/Message.crd".
QString TipsFile();
// The tips of a tips file's bytes (system code page): one per line, lines ending with CR LF,
// CR or LF, empty lines included; a final line end does not start another tip.
QStringList TipLines(const QByteArray &bytes);
// The tips of a file, or nothing when the file cannot be read.
std::optional<QStringList> LoadTips(const QString &file);
// The tip after `index` among `count`, back to the first after the last.
int NextTipIndex(int index, int count);

// The options dialog's folder fields show a program-relative folder ("\Project") behind a
// prefix that names its base folder.
inline constexpr char kBinPrefix[] = "(Bin)";
inline constexpr char kBuilderPrefix[] = "(Builder)";
// The field's text for a stored folder: the prefix in front when the value begins with "\".
QString FolderFieldText(const QString &stored, const QString &prefix);
// The value to store for a field's text: trimmed, without the prefix when it begins with it.
// Empty when the field is empty (the key is then left as it is).
QString FolderFromField(const QString &field, const QString &prefix);

} // namespace ly
