#include "card/FrmPictureSection.h"

#include "card/ProjectKeys.h"
#include "card/StoredPath.h"

namespace ly {

namespace {
const QString kSection = QStringLiteral("FrmPicture");
constexpr int kStyleCount = kAlbumStyleCount;
} // namespace

int AlbumStyleOfIndex(int styleIndex)
{
    return styleIndex >= 1 && styleIndex <= kStyleCount ? kStyleCount + 1 - styleIndex : 0;
}

int AlbumIndexOfStyle(int style)
{
    return style >= 1 && style <= kStyleCount ? kStyleCount + 1 - style : 0;
}

FrmPictureSection ReadFrmPictureSection(const QString &projectFile)
{
    FrmPictureSection s;
    const ProjectKeys keys(projectFile, kSection);
    if (!keys.exists())
        return s;
    s.clientWidth = keys.integer(QStringLiteral("ClientWidth"), s.clientWidth,
                                 FrmPictureSection::kMinWindowSide, FrmPictureSection::kMaxWindowSide);
    s.clientHeight = keys.integer(QStringLiteral("ClientHeight"), s.clientHeight,
                                  FrmPictureSection::kMinWindowSide, FrmPictureSection::kMaxWindowSide);
    s.frame = keys.integer(QStringLiteral("FillBoxPicFlag"), 0, 0, 1) == 1
              && storedpath::isPicBoxFolder(keys.value(QStringLiteral("FillBoxPicName")));
    if (keys.integer(QStringLiteral("FillBlkPicFlag"), 0, 0, 1) == 1)
        s.fillPicture = storedpath::bareName(keys.value(QStringLiteral("FillBlkPicName")),
                                             storedpath::kRes);
    s.showMode = keys.integer(QStringLiteral("DoPicRadio"), 1, 1, 3);
    s.fullScreen = keys.integer(QStringLiteral("CheckScreen"), 0, 0, 1) == 1;
    s.seconds = keys.integer(QStringLiteral("PicShowSecond"), s.seconds,
                             FrmPictureSection::kMinSeconds, FrmPictureSection::kMaxSeconds);
    const int count = keys.count(QStringLiteral("PicShowNum"), QStringLiteral("Item"));
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        AlbumPicture picture;
        picture.name = storedpath::bareName(keys.value(QStringLiteral("Item") + n),
                                            storedpath::kPicture);
        if (picture.name.isEmpty())
            continue;
        picture.styleName = keys.value(QStringLiteral("StyleName") + n);
        const QString indexKey = QStringLiteral("StyleIndex") + n;
        picture.styleIndex = keys.value(indexKey).isEmpty()
                                 ? 0
                                 : keys.integer(indexKey, -1, 0, kStyleCount);
        if (picture.styleIndex < 0) {
            // An index that names no effect: a random one, under the random choice's name,
            // rather than a style the user never chose.
            picture.styleIndex = 0;
            picture.styleName.clear();
        }
        if (picture.styleName.isEmpty())
            picture.styleName = kAlbumRandomName;
        s.pictures.append(picture);
    }
    return s;
}

void WriteFrmPictureSection(const QString &projectFile, const FrmPictureSection &s)
{
    const SectionWriter w(projectFile, kSection);
    w.put(QStringLiteral("ClientWidth"), QString::number(s.clientWidth));
    w.put(QStringLiteral("ClientHeight"), QString::number(s.clientHeight));
    w.flag(QStringLiteral("FillBoxPicFlag"), s.frame);
    if (s.frame)
        w.put(QStringLiteral("FillBoxPicName"), QLatin1Char('\\') + storedpath::kPicBox);
    w.flag(QStringLiteral("FillBlkPicFlag"), !s.fillPicture.isEmpty());
    if (!s.fillPicture.isEmpty())
        w.put(QStringLiteral("FillBlkPicName"), storedpath::make(storedpath::kRes, s.fillPicture));
    w.put(QStringLiteral("DoPicRadio"), QString::number(s.showMode == 3 ? 3 : s.showMode == 2 ? 2 : 1));
    w.put(QStringLiteral("PicShowSecond"), QString::number(s.seconds));
    w.flag(QStringLiteral("CheckScreen"), s.fullScreen);
    w.put(QStringLiteral("PicShowNum"), QString::number(s.pictures.size()));
    for (qsizetype i = 0; i < s.pictures.size(); ++i) {
        const QString n = QString::number(i);
        const AlbumPicture &p = s.pictures.at(i);
        w.put(QStringLiteral("Item") + n, storedpath::make(storedpath::kPicture, p.name));
        w.put(QStringLiteral("StyleName") + n, p.styleName);
        w.put(QStringLiteral("StyleIndex") + n, QString::number(p.styleIndex));
    }
}

} // namespace ly
