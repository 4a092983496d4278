#include "player/CardWebEngine.h"

#include "platform/WebView.h"

#include <QFile>

namespace ly::player {

bool UseCardWebEngine(QByteArrayView module, const QString &privateFolder, QString *why)
{
    if (module.isEmpty()) {
        *why = platform::kNoWebEngineText;
        return false;
    }
    const QString path = privateFolder + QLatin1String(kCardWebEngineFile);
    QFile file(path);
    // NewOnly: never into a file that is already there (the folder is the card's own).
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    if (!opened || file.write(module.data(), module.size()) != module.size() || !file.flush()) {
        *why = QStringLiteral("cannot write the web engine module %1: %2").arg(path, file.errorString());
        if (opened) {
            file.close();
            file.remove();
        }
        return false;
    }
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    platform::UseWebEngine(path);
    return true;
}

} // namespace ly::player
