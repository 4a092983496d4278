#pragma once

#include "shared/Error.h"

#include <QString>

#include <functional>

// Where the card to play comes from. A card is this program with the card's entries behind
// it (layout in card/CardFile.h); a preview is a copy of this program named "Preview.exe"
// beside a project folder's "Preview.qrj". Everything read from a card is taken as hostile:
// the stub part must be exactly this program's own image, the table's kinds, names and sizes
// are checked, and the total that the packages would unpack to is bounded before anything is
// written.
namespace ly::player {

// No card behind the program: it was run as the plain stub.
class NoCardError : public Error
{
public:
    using Error::Error;
};

// A card that cannot be played: what is wrong with it is the text.
class DamagedCardError : public Error
{
public:
    using Error::Error;
};

struct CardProject
{
    QString projectFile;   // the project file to play
    QString projectFolder; // its folder, with a trailing separator
    bool preview = false;  // played straight from the project folder
};

// The number of bytes of the ELF image at the start of the file (headers, segments and
// sections); -1 when it does not start with an ELF image.
qint64 ElfImageSize(const QString &file);

// The bound on what a card may unpack to: 16 times the card's size, at least 64 MiB, at most
// 4 GiB, and never more than the free space of the destination less 64 MiB.
qint64 UnpackLimit(qint64 cardSize, const QString &destination);

// Checks the card behind program and unpacks it into folder: the packages into the project's
// media folders, the movies into "Movie", the project file itself, and the background
// animation package into "BlkTmp". Throws NoCardError for a plain stub and
// DamagedCardError for anything that does not fit. With deferredMusic, the music package
// (checked like the rest) is left for later: *deferredMusic then unpacks it, on any thread,
// throwing DamagedCardError; it stays empty for a card without music.
CardProject UnpackCard(const QString &program, const QString &folder,
                       std::function<void()> *deferredMusic = nullptr);

// Unpacks the background animation package (a resource package) into destination, with the
// same checks and bound as a card's packages. Throws DamagedCardError.
void UnpackBackgroundPage(const QString &package, const QString &destination);

// Whether program runs as a preview: its own name is "Preview.exe" in any letter case.
bool IsPreviewProgram(const QString &program);
// The project named by "Preview.qrj" beside program. Throws DamagedCardError when the list is
// missing or does not name a project file of that folder.
CardProject PreviewProject(const QString &program);

} // namespace ly::player
