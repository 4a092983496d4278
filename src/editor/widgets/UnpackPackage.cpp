#include "editor/widgets/UnpackPackage.h"

#include "card/Package.h"
#include "card/Packer.h"
#include "shared/widgets/Notice.h"

namespace ly {

void UnpackPackage(const QString &package, const QString &destination)
{
    try {
        ExtractPackage(package, destination);
    } catch (const PackageError &e) {
        ShowNotice(e.kind(), e.text());
    }
}

} // namespace ly
