#pragma once

#include "shared/FontColor.h"

#include <QList>
#include <QSize>
#include <QString>

// The movies of a project, section [FrmMovie]: the movie files in play order with their own
// picture sizes, the card's movie window, the full-screen switch, the scrolling subtitle and
// the about text. The movie editor writes it and the card player reads it. A project file may
// come from a stranger: items are taken only as "\Movie\" + a bare name, counts only as far
// as the keys go, and a damaged font or colour text leaves that one setting at its default.
namespace ly {

struct MovieItem
{
    QString name;   // bare name in the project's Movie folder
    QString pixels; // the movie's own size, width + " X " + height

    bool operator==(const MovieItem &) const = default;
};

// The subtitle panel as the editor creates it: an orange strip with yellow text.
inline constexpr TColor kMovieSubtitleColor = 0x004080FF;
TFont MovieSubtitleFont();

struct FrmMovieSection
{
    static constexpr int kMinWindowSide = 1;
    static constexpr int kMaxWindowSide = 9999;
    // The size an item without its own reads as.
    static inline const QString kDefaultPixels = QStringLiteral("480 X 320");

    QList<MovieItem> movies;
    int pixWidth = 480;
    int pixHeight = 420;
    bool fullScreen = false;
    QString aboutText;
    bool subtitle = false;
    int subtitlePosition = 0; // 0 top, 1 bottom
    TFont subtitleFont = MovieSubtitleFont();
    TColor subtitleColor = kMovieSubtitleColor;
    QString subtitleText;

    bool operator==(const FrmMovieSection &) const = default;
};

// Width + " X " + height.
QString MoviePixelText(const QSize &size);
// The size of a pixel text; an invalid size for any other text.
QSize MoviePixelSize(const QString &text);

// Reads [FrmMovie]. Nothing is restored (the defaults come back) when the section is missing
// or its Number is 0, as the editor never restored a stored size or subtitle without movies.
// Values outside their ranges read as the defaults; an absent font reads as
// "Color=clWindowText#Size=8#Name=#Style=" over the panel's font and an absent colour as
// clWhite, while a damaged one keeps the panel's own.
FrmMovieSection ReadFrmMovieSection(const QString &projectFile);
// Erases [FrmMovie] and writes it in the editor's key order; the subtitle keys only while the
// subtitle is on. Throws ly::Error when the file cannot be written.
void WriteFrmMovieSection(const QString &projectFile, const FrmMovieSection &section);

} // namespace ly
