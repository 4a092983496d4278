#pragma once

#include "card/FrmBlkSection.h"

#include <QList>
#include <QString>

// The background editor's work without its window: which animation package an entry of the
// list stands for, the music rows' icons and size texts, the native paths of a stored
// background, and the save step that copies the media into the project folder and writes
// [FrmBlk]. Paths read from a project file come only through the section model
// (card/FrmBlkSection.h), which takes them only as "\Music\", "\Res\" + a bare name, so a save
// never copies anything from outside the project folder that the user did not choose.
namespace ly {

// One row of the music list: the bare file name and the folder that holds it.
struct MusicRow
{
    QString name;
    QString folder; // with or without a trailing separator

    QString path() const;
    bool operator==(const MusicRow &) const = default;
};

// The package file name N + ".tmp" of animation entry `index`, N being config.ini
// [BlkCartoon] "Cartoon" + index; empty when the entry has no name or not a bare one.
QString BlkPackageName(int index);
// ProgramDir + "Blk/" + that name; empty when there is none.
QString BlkPackageFile(int index);

// The music file types of the list and their row icons: ".mid" 0, ".wav" 1, ".mp3" 2, ".wma" 3
// (extension compared after lower-casing); -1 for any other name.
int MusicIconIndex(const QString &fileName);
// The size text of a file (SizeText), or an empty text when the file cannot be read, so a
// missing song keeps its row and the project opens.
QString SizeTextOrEmpty(const QString &file);

// The native paths a stored background names below the project folder. A path the section
// does not hold stays empty (never the project folder itself).
struct BackgroundPaths
{
    QString fillPicture;
    QList<MusicRow> music;
    QString recordFile;
};
BackgroundPaths PathsOfBackground(const FrmBlkSection &section, const QString &projectFolder);

// What the editor's controls hold at a save: the section's kind, indices, colours, flags and
// captions, and the native paths of the media that the save copies and names.
struct BackgroundSave
{
    FrmBlkSection section;
    QString fillPicture; // the path field, as typed
    QList<MusicRow> music;
    QString recordFile;  // the path field, as typed
};

// The save step: copies the media into the project folder ("BlkTmp", "Res", "Music", each
// created when missing; a file of the same name there is never replaced, except the copy of
// the recording dialog's working file, which takes the newest recording; failed copies are
// not reported) and writes [FrmBlk] in place. Throws ly::Error when the project file cannot
// be written.
void SaveBackground(const BackgroundSave &save, const QString &projectFolder,
                    const QString &projectFile);

// Copies file into folder under its own name unless it already lies there or the folder holds
// a file of that name; creates the folder (one level) when missing. False when nothing was
// copied.
bool CopyIntoFolder(const QString &file, const QString &folder);

} // namespace ly
