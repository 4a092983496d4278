#include "tool/Tool.h"

#include "control/Gradient.h"
#include "shared/Error.h"

namespace tool {

namespace {

ly::TColor colorArg(const QString &text)
{
    if (const std::optional<ly::TColor> color = ly::TryStringToColor(text))
        return *color;
    throw ly::Error(QStringLiteral("Not a colour: \"%1\"").arg(text));
}

int sizeArg(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    // 32767: the largest picture side the drawing is meant for.
    if (!ok || value < 1 || value > 32767)
        throw ly::Error(QStringLiteral("Not a size from 1 to 32767: \"%1\"").arg(text));
    return value;
}

} // namespace

int runGradient(const QStringList &args)
{
    requireArgs(args, 6, 6);
    const std::optional<ly::TGradientFillType> type = ly::GradientFillTypeFromText(args[0]);
    if (!type)
        throw ly::Error(QStringLiteral("Not a gradient style (0 ... 12 or rgsHorizontal ... "
                                       "rgsNeo): \"%1\"")
                            .arg(args[0]));
    const ly::TColor from = colorArg(args[1]);
    const ly::TColor to = colorArg(args[2]);
    const QSize size(sizeArg(args[3]), sizeArg(args[4]));
    const QImage image = ly::DrawGradient(size, from, to, *type);
    if (image.isNull())
        throw ly::Error(QStringLiteral("Not enough memory for a %1 x %2 picture")
                            .arg(size.width())
                            .arg(size.height()));
    if (!image.save(args[5], "PNG"))
        throw ly::Error(QStringLiteral("Cannot write \"%1\"").arg(args[5]));
    return 0;
}

} // namespace tool
