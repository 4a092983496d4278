#include "tool/Tool.h"

#include "shared/Error.h"
#include "transitions/Effects.h"
#include "transitions/Pixels.h"

#include <QImage>
#include <QImageReader>

namespace tool {

namespace {

namespace tr = ly::transitions;

int parseNumber(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok)
        throw Usage{};
    return n;
}

// A style number 1 … 150 or a catalogue name.
int parseStyle(const QString &text)
{
    bool isNumber = false;
    const int n = text.toInt(&isNumber);
    const int style = isNumber ? n : tr::styleOfName(text);
    if (style < 1 || style > tr::kStyleCount)
        throw ly::Error(QStringLiteral("Unknown transition style \"%1\" (a number 1 ... %2 or a "
                                       "style name; see --list)")
                            .arg(text)
                            .arg(tr::kStyleCount));
    return style;
}

QImage readImage(const QString &path)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        throw ly::Error(QStringLiteral("Unable to read the picture %1: %2")
                            .arg(path, reader.errorString()));
    return image;
}

} // namespace

int runTransition(const QStringList &args)
{
    if (args.size() == 1 && args.first() == QLatin1String("--list")) {
        for (int style = 1; style <= tr::kStyleCount; ++style)
            printLine(QString::number(style) + QLatin1Char(' ') + tr::styleName(style));
        return 0;
    }
    QStringList rest = args;
    int step = 4;
    const qsizetype stepAt = rest.indexOf(QStringLiteral("--step"));
    if (stepAt >= 0) {
        if (stepAt + 1 >= rest.size())
            throw Usage{};
        // As the control's Step: 0 becomes 1, values above 100 become 100.
        const int n = parseNumber(rest[stepAt + 1]);
        if (n < 0)
            throw Usage{};
        step = std::clamp(n, 1, 100);
        rest.remove(stepAt, 2);
    }
    requireArgs(rest, 5, 5);
    const int style = parseStyle(rest[0]);
    const int progress = parseNumber(rest[1]);
    if (progress < 0)
        throw ly::Error(QStringLiteral("The progress must lie in 0 ... 100, not %1").arg(progress));

    const QImage newPicture = readImage(rest[3]);
    const int w = newPicture.width(), h = newPicture.height();
    const QImage snapshot = tr::toFrameImage(readImage(rest[2]), w, h, qRgb(0, 0, 0));
    const QImage picture = tr::toFrameImage(newPicture, w, h, qRgb(0, 0, 0));
    QImage frame;
    tr::composeFrame(frame, snapshot, picture, style, step, std::min(progress, 100));
    if (!frame.save(rest[4], "PNG"))
        throw ly::Error(QStringLiteral("Unable to write to %1").arg(rest[4]));
    return 0;
}

} // namespace tool
