#pragma once

#include <QByteArrayView>
#include <QString>

// The web engine that shows a card's animation page. A card runs anywhere, far from any
// program folder, and a module lying beside it (in a downloads folder, say) is nobody's to
// trust; so the player carries its own copy of the engine module (builds with the web
// engine) and writes it into the card's private folder, from where it is loaded when the
// page is first shown. The engine's libraries themselves are the machine's (Debian's Qt
// WebEngine packages): without them the module does not load and the page stays a still
// black surface.
namespace ly::player {

// What the card says on standard error, before the reason, when its page cannot be shown.
inline const QString kStillAnimationNote =
    QStringLiteral("The background animation is shown as a still black surface: ");

// The module file name inside the private folder.
inline constexpr char kCardWebEngineFile[] = "lywebview.so";

// Writes module into privateFolder and names it as the web engine. Returns false, with the
// reason in why, when there is no module (a build without the engine) or it cannot be written.
bool UseCardWebEngine(QByteArrayView module, const QString &privateFolder, QString *why);

} // namespace ly::player
