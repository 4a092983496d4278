#pragma once

#include "shared/FontColor.h"

#include <QString>
#include <QStringList>

#include <array>

// The background of a project, section [FrmBlk]: the background kind and its settings, the
// music list, the recorded voice and the three captions. The background editor writes it and
// the card player reads it. Reading goes by BlkCheckName, the flags and MusicNumber, never by
// the mere presence of a key (an earlier save leaves its keys behind), takes stored paths only
// in the form the editor writes them, and replaces values out of range by the defaults.
namespace ly {

struct CaptionSlot
{
    bool used = false;
    QString text;
    TFont font;       // the text font
    TFont shadowFont; // same face, size and style as the text font; its own colour
    bool shadow = false;
};

struct FrmBlkSection
{
    enum class Kind { None = 0, Animation = 1, Gradient = 2, Picture = 3 };
    // The caption slots, in their fixed order.
    enum Slot { Caption = 0, Top = 1, Btm = 2 };
    static constexpr int kAnimationCount = 13;

    Kind kind = Kind::None;
    int blkIndex = 0;         // animation 0 … 12
    QString blkTmpName;       // bare name of the package in the project's BlkTmp folder
    int shadeIndex = 0;       // gradient style 0 … 12
    TColor colorFrom = clWhite;
    TColor colorTo = clNavy;
    QString fillPicture;      // bare name in the project's Res folder

    bool music = false;
    QStringList musicItems;   // bare names in the project's Music folder, in play order

    bool record = false;      // RecordCheckFlag; the voice plays only when recordName is set
    QString recordName;       // bare name in the project's Music folder
    int recordIndex = 0;      // 0 at the start of the card, 1 at its end

    bool text = false;        // TextCheckFlag; the slots are read whatever its value
    int captionIndex = 1;     // slot 0's animation: 1 twinkle, 2 horizontal, 3 vertical scroll
    std::array<CaptionSlot, 3> slots;

    FrmBlkSection();
};

// The stems of the slots' keys: "Caption", "Top", "Btm".
QString CaptionSlotStem(int slot);

// Reads [FrmBlk]; a file without the section gives the defaults.
FrmBlkSection ReadFrmBlkSection(const QString &projectFile);
// Writes [FrmBlk] in the editor's key order, each key only in the case the editor writes it;
// keys not written stay as they were. Throws ly::Error when the file cannot be written.
void WriteFrmBlkSection(const QString &projectFile, const FrmBlkSection &section);

} // namespace ly
