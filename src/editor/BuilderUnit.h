#pragma once

#include <QString>
#include <QStringList>

// The card builder without its windows: the tidy of the project folder, the checks and the
// start of a build, the build procedure that writes the card program (layout in CardFile.h)
// and the file steps of the preview. The build wizard drives it and shows its progress;
// lyrabell-tool build runs the same steps from the command line.
namespace ly {

inline const QString kChooseBackgroundText =
    QStringLiteral("Please choose the good background constitution");
inline const QString kSaveCardText =
    QStringLiteral("Execuse me, ask you to save the greeting card document");
inline const QString kStubMissingText =
    QStringLiteral("The system is in need of the document, withdrawing unusually");

// Why Preview or Build stops before it writes anything.
enum class BuilderCheck {
    Ok,
    NoBackground,  // [FrmBlk] has no BlkCheckName value; the background editor opens
    BadOutputPath, // the wizard clears its output box and stays on its page
    StubMissing,   // the wizard closes
};
// The notice of a check, as ShowNotice takes it: the text (empty for Ok) and the kind (1 error,
// 2 warning; 0 for Ok).
QString BuilderCheckText(BuilderCheck check);
int BuilderCheckKind(BuilderCheck check);

// The player stub that every card and preview starts from: ProgramDir() + "Cardstub.dll".
QString CardStubFile();

// Preview and Build refuse a project whose background has never been chosen.
BuilderCheck CheckBackground(const QString &projectFile);

// Begin, Next: the output file proposed by the project ([System] SaveToFileName).
QString SavedOutputFile(const QString &projectFile);
// Begin, Next: deletes the media the project no longer refers to. For Movie, Music, Flash,
// Picture and Res, in this order, whenever the number of files in the folder differs from the
// number of items the project lists, each referenced name strikes one file of exactly that
// name and the files left are deleted ("Temp.wav" in Music stays). Between Movie and Music,
// the recorded voice goes when [FrmBlk] RecordCheckFlag is 0 (only a file below the project
// folder); a recording in use ("\Music\" + name) counts as one more Music item. A project
// file that cannot be read deletes nothing. Failed deletions are silent.
void TidyProjectFolder(const QString &projectFile);

// SaveFile, browse button: the folder the dialog opens in (config.ini [System] SaveDir, a
// value beginning with "\" below the project folder; created when missing, else the project
// folder), the proposed name (the project file name without ".zpj"), and the chosen name
// with ".exe" appended when it does not end in ".exe" (any letter case).
QString BrowseInitialFolder(const QString &projectFile);
QString BrowseProposedName(const QString &projectFile);
QString BrowsedOutputFile(const QString &chosen);

// SaveFile, Next: the output path must end in ".exe" (in any letter case) and lie in an
// existing folder outside the project's media folders (a card there would be packed into
// itself); the stub must exist.
BuilderCheck CheckOutput(const QString &projectFile, const QString &outputPath);
// SaveFile, Next, once the checks passed: the Flash control into the project's Flash folder
// when [System] FlashOcxFlag is "1", [System] SaveToFileName and BuilderDate, and the stub
// copied to the output path (replacing any file there) as the first piece of the card.
// Throws ly::Error when the output cannot be written.
void StartCard(const QString &projectFile, const QString &outputPath);

// Where a build shows its steps: the wizard's status texts and step bar. The packing of each
// folder reports through ProgressWindow (Packer.h) as well.
class BuildProgress
{
public:
    virtual ~BuildProgress() = default;
    // The step in progress (LblZipShow); empty once the card is complete.
    virtual void SetZipShow(const QString &text) = 0;
    // The last step done (LblFileShow).
    virtual void SetFileShow(const QString &text) = 0;
    // The step bar (ProgressBarFile).
    virtual void SetFileBar(int position, int maximum) = 0;
};

// The build procedure: appends the project's entries to the card that StartCard began, then
// the entry table and trailer, records the card as config.ini [Finished] FinishedExe, writes
// "readme.txt" beside it and deletes the packages it made in the project folder. It runs on
// the user interface thread and lets pending events through between files, so Cancel() may
// be called from an event handler while Build() runs; the caller keeps the builder alive
// until Build() has returned.
class CardBuilder
{
public:
    enum class Outcome { Built, Cancelled };

    CardBuilder(const QString &projectFile, const QString &outputPath, BuildProgress &progress);

    // Runs the build. A cancelled build stops before its next step. Whenever the card is not
    // completed (cancelled, or failed: a missing movie or background package, a file the
    // packer cannot read, a failed append, a card that would reach 2 GB) the half-written card
    // and the packages are removed and FinishedExe keeps its value; a failure throws ly::Error
    // with a text that says why.
    Outcome Build();
    // The wizard's Cancel: stops the packing in progress after the file in hand (StopRequest)
    // and the build before its next step. StopRequest set to 1 while the build runs and no
    // pack is in progress stops it as well.
    void Cancel();

    // The entry-table lines of the build in progress.
    const QStringList &EntryTable() const { return m_entryTable; }

private:
    struct Planned;
    QList<Planned> plan() const;
    void append(const Planned &entry);
    void writeTable();
    bool cancelled();
    void deletePackages();

    QString m_projectFile;
    QString m_projectFolder;
    QString m_outputPath;
    BuildProgress &m_progress;
    QStringList m_entryTable;
    qint64 m_cardSize = 0;
    bool m_cancelled = false;
};

// "Preview.exe" in the project folder.
QString PreviewExeFile(const QString &projectFile);
// The preview's file steps, once the project is saved: the background check, [System]
// BuilderDate, the stub copied to "Preview.exe" (replacing an older copy) and "Preview.qrj"
// holding the bare project file name. The caller then starts Preview.exe and hands it to
// DeleteWhenUnlocked. Throws ly::Error when a file cannot be written.
BuilderCheck PreparePreview(const QString &projectFile);

} // namespace ly
