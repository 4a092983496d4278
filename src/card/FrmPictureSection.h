#pragma once

#include <QList>
#include <QString>

// The photo album of a project, section [FrmPicture]: the album window, its frame and fill
// picture, the show mode and interval, and the pictures with their transitions. The album
// editor writes it and the card player reads it, with the same checks as the background
// section (FrmBlkSection.h).
namespace ly {

struct AlbumPicture
{
    QString name;       // bare name in the project's Picture folder
    QString styleName;  // the effect's name as the editor showed it
    int styleIndex = 0; // 0 a random style each time, k = 1 … 150 plays style 151 - k
};

struct FrmPictureSection
{
    static constexpr int kMinWindowSide = 16;
    static constexpr int kMaxWindowSide = 8192;
    static constexpr int kMaxSeconds = 3600;

    int clientWidth = 400;
    int clientHeight = 320;
    bool frame = false;  // the eight frame pieces in the project's PicBox folder
    QString fillPicture; // bare name in the project's Res folder; empty for none
    int showMode = 1;    // 1 moving about the screen, 2 a new place per picture, 3 centred
    int seconds = 4;     // how long each picture stays
    bool fullScreen = false;
    QList<AlbumPicture> pictures;
};

// The transition style of an effect index: 151 - k for k = 1 … 150, 0 (a random style) else.
int AlbumStyleOfIndex(int styleIndex);

// Reads [FrmPicture]; without a show mode (DoPicRadio 0 or absent) no pictures are read.
FrmPictureSection ReadFrmPictureSection(const QString &projectFile);
// Writes [FrmPicture] in the editor's key order; keys not written stay. Throws ly::Error.
void WriteFrmPictureSection(const QString &projectFile, const FrmPictureSection &section);

} // namespace ly
