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

// The album's effect choices: the editor's effect tree has node 0 for a random style and
// node k = 1 … 150 for style 151 - k, and each picture stores its node's index.
inline constexpr int kAlbumStyleCount = 150;
inline constexpr int kAlbumEffectNodes = kAlbumStyleCount + 1;
inline const QString kAlbumRandomName = QStringLiteral("Random");

struct FrmPictureSection
{
    // The ranges the editor's fields hold; the player bounds the window by the screen.
    static constexpr int kMinWindowSide = 1;
    static constexpr int kMaxWindowSide = 9999;
    static constexpr int kMinSeconds = 1;
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
// The effect index that plays a style 1 … 150; 0 (random) for any other number.
int AlbumIndexOfStyle(int style);

// Reads [FrmPicture]. Values outside their ranges read as the defaults: a show mode other
// than 1 … 3 (also 0 or none) as mode 1, an effect index outside 0 … 150 as a random effect
// named "Random". The pictures are read whatever the show mode says, so an album stored
// without one keeps its pictures. Items that are not "\Picture\" + a bare name are left out.
FrmPictureSection ReadFrmPictureSection(const QString &projectFile);
// Writes [FrmPicture] in the editor's key order; keys not written stay. Throws ly::Error.
void WriteFrmPictureSection(const QString &projectFile, const FrmPictureSection &section);

} // namespace ly
