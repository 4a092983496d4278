#include "card/FrmMovieSection.h"

#include "card/ProjectKeys.h"
#include "card/StoredPath.h"
#include "shared/Error.h"
#include "shared/Ini.h"

#include <QRegularExpression>

#include <limits>

namespace ly {

namespace {
const QString kSection = QStringLiteral("FrmMovie");
const QString kAbsentFont = QStringLiteral("Color=clWindowText#Size=8#Name=#Style=");
} // namespace

TFont MovieSubtitleFont()
{
    TFont font;
    font.Name = QStringLiteral("MS Sans Serif");
    font.Size = 8;
    font.Color = clYellow;
    return font;
}

QString MoviePixelText(const QSize &size)
{
    return QString::number(size.width()) + QStringLiteral(" X ") + QString::number(size.height());
}

QSize MoviePixelSize(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,5}) X (\\d{1,5})$"));
    const QRegularExpressionMatch m = form.match(text);
    return m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
}

FrmMovieSection ReadFrmMovieSection(const QString &projectFile)
{
    FrmMovieSection s;
    const ProjectKeys keys(projectFile, kSection);
    if (!keys.exists())
        return s;
    const int count = keys.count(QStringLiteral("Number"), QStringLiteral("Item"));
    if (count == 0)
        return s;
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        MovieItem item;
        item.name = storedpath::bareName(keys.value(QStringLiteral("Item") + n), storedpath::kMovie);
        if (item.name.isEmpty())
            continue;
        item.pixels = keys.value(QStringLiteral("ItemPix") + n);
        if (item.pixels.isEmpty())
            item.pixels = FrmMovieSection::kDefaultPixels;
        s.movies.append(item);
    }
    s.fullScreen = keys.integer(QStringLiteral("CheckScreen"), 0, 0, 1) == 1;
    s.pixWidth = keys.integer(QStringLiteral("PixWidth"), s.pixWidth, FrmMovieSection::kMinWindowSide,
                              FrmMovieSection::kMaxWindowSide);
    s.pixHeight = keys.integer(QStringLiteral("PixHeight"), s.pixHeight,
                               FrmMovieSection::kMinWindowSide, FrmMovieSection::kMaxWindowSide);
    s.aboutText = keys.value(QStringLiteral("AboutText"));
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    s.subtitle = keys.integer(QStringLiteral("AniTextFlag"), 0, kMin, kMax) != 0;
    if (!s.subtitle)
        return s;
    s.subtitlePosition = keys.integer(QStringLiteral("AniStyle"), 0, 0, 1);
    const QString fontText = keys.value(QStringLiteral("AniFont"));
    try {
        FontFromString(fontText.isEmpty() ? kAbsentFont : fontText, s.subtitleFont);
    } catch (const Error &) {
        // Half a damaged font string is no font the user chose: the panel's own stays.
        s.subtitleFont = MovieSubtitleFont();
    }
    const QString colorText = keys.value(QStringLiteral("AniColor"));
    s.subtitleColor = colorText.isEmpty() ? clWhite : keys.color(QStringLiteral("AniColor"), kMovieSubtitleColor);
    s.subtitleText = keys.value(QStringLiteral("AniText"));
    return s;
}

void WriteFrmMovieSection(const QString &projectFile, const FrmMovieSection &s)
{
    ini::eraseSection(projectFile, kSection);
    const SectionWriter w(projectFile, kSection);
    w.put(QStringLiteral("Number"), QString::number(s.movies.size()));
    for (qsizetype i = 0; i < s.movies.size(); ++i) {
        const QString n = QString::number(i);
        w.put(QStringLiteral("Item") + n, storedpath::make(storedpath::kMovie, s.movies.at(i).name));
        w.put(QStringLiteral("ItemPix") + n, s.movies.at(i).pixels);
    }
    w.put(QStringLiteral("PixWidth"), QString::number(s.pixWidth));
    w.put(QStringLiteral("PixHeight"), QString::number(s.pixHeight));
    w.flag(QStringLiteral("CheckScreen"), s.fullScreen);
    w.flag(QStringLiteral("AniTextFlag"), s.subtitle);
    if (s.subtitle) {
        w.put(QStringLiteral("AniStyle"), QString::number(s.subtitlePosition == 1 ? 1 : 0));
        w.put(QStringLiteral("AniFont"), FontToString(s.subtitleFont));
        w.put(QStringLiteral("AniColor"), ColorToString(s.subtitleColor));
        w.put(QStringLiteral("AniText"), s.subtitleText.trimmed());
    }
    w.put(QStringLiteral("AboutText"), s.aboutText.trimmed());
}

} // namespace ly
