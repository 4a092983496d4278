#include "control/widgets/Skin.h"

#include "shared/Paths.h"

#include <QFileInfo>

// The resources live in a static library: this reference keeps them linked in.
static void initSkinResources()
{
    Q_INIT_RESOURCE(skin);
}

namespace ly {

QPixmap SkinPicture(const QString &name)
{
    static const bool initialised = (initSkinResources(), true);
    Q_UNUSED(initialised);
    const QString file = name + QStringLiteral(".png");
    const QString installed = ProgramDir() + QStringLiteral("Skin/") + file;
    if (QFileInfo::exists(installed)) {
        QPixmap picture(installed);
        if (!picture.isNull())
            return picture;
    }
    return QPixmap(QStringLiteral(":/skin/") + file);
}

} // namespace ly
