#include "card/FrmBlkSection.h"

#include "card/Package.h"
#include "card/ProjectKeys.h"
#include "card/StoredPath.h"
#include "shared/Error.h"

namespace ly {

namespace {

const QString kSection = QStringLiteral("FrmBlk");

// A new text font is white, 8 points; the shadow font starts as the same font in black.
TFont defaultTextFont()
{
    TFont font;
    font.Color = clWhite;
    font.Size = 8;
    return font;
}

TFont fontOr(const QString &text, const TFont &fallback)
{
    if (text.isEmpty())
        return fallback;
    TFont font = fallback;
    try {
        FontFromString(text, font);
    } catch (const Error &) {
        return fallback;
    }
    // Sizes outside what a caption can sensibly use fall back as well.
    if (font.Size < 1 || font.Size > 400)
        return fallback;
    return font;
}

} // namespace

FrmBlkSection::FrmBlkSection()
{
    for (CaptionSlot &slot : slots) {
        slot.font = defaultTextFont();
        slot.shadowFont = slot.font;
        slot.shadowFont.Color = clBlack;
    }
}

QString CaptionSlotStem(int slot)
{
    static const QString stems[] = {QStringLiteral("Caption"), QStringLiteral("Top"),
                                    QStringLiteral("Btm")};
    return stems[slot];
}

FrmBlkSection ReadFrmBlkSection(const QString &projectFile)
{
    FrmBlkSection s;
    const ProjectKeys keys(projectFile, kSection);
    if (!keys.exists())
        return s;

    const QString kind = keys.value(QStringLiteral("BlkCheckName"));
    if (kind == QLatin1String("1")) {
        s.kind = FrmBlkSection::Kind::Animation;
        s.blkIndex = keys.integer(QStringLiteral("BlkIndex"), 0, 0,
                                  FrmBlkSection::kAnimationCount - 1);
        const QString name = keys.value(QStringLiteral("BlkTmpName"));
        if (package::isBareFileName(name))
            s.blkTmpName = name;
    } else if (kind == QLatin1String("2")) {
        s.kind = FrmBlkSection::Kind::Gradient;
        s.shadeIndex = keys.integer(QStringLiteral("BlkShadeIndex"), 0, 0, 12);
        s.colorFrom = keys.color(QStringLiteral("ColorFrom"), clWhite);
        s.colorTo = keys.color(QStringLiteral("ColorTo"), clNavy);
    } else if (kind == QLatin1String("3")) {
        s.kind = FrmBlkSection::Kind::Picture;
        s.fillPicture =
            storedpath::bareName(keys.value(QStringLiteral("BlkEdtPicName")), storedpath::kRes);
    }

    if (keys.flag(QStringLiteral("MusicCheckFlag"))) {
        s.music = true;
        const int count = keys.count(QStringLiteral("MusicNumber"), QStringLiteral("MusicItem"));
        for (int i = 0; i < count; ++i) {
            const QString name = storedpath::bareName(
                keys.value(QStringLiteral("MusicItem") + QString::number(i)), storedpath::kMusic);
            if (!name.isEmpty())
                s.musicItems.append(name);
        }
    }

    s.record = keys.flag(QStringLiteral("RecordCheckFlag"));
    if (s.record) {
        s.recordName = storedpath::bareName(keys.value(QStringLiteral("RecordEdtName")),
                                            storedpath::kMusic);
        s.recordIndex = keys.integer(QStringLiteral("RecordIndex"), 0, 0, 1);
    }

    // Every slot is read, used or not, so that a save keeps the texts and fonts of the slots
    // that are switched off; the used flags say which ones show.
    s.text = keys.integer(QStringLiteral("TextCheckFlag"), 0, 0, 1) == 1;
    s.captionIndex = keys.integer(QStringLiteral("LblCaptionIndex"), 1, 1, 3);
    for (int i = 0; i < 3; ++i) {
        CaptionSlot &slot = s.slots[i];
        const QString stem = CaptionSlotStem(i);
        slot.used = keys.integer(QStringLiteral("Lbl") + stem + QStringLiteral("Flag"), 0, 0, 1) == 1;
        slot.text = keys.value(QStringLiteral("TextLbl") + stem);
        slot.font = fontOr(keys.value(QStringLiteral("TextLbl") + stem + QStringLiteral("Font")),
                           slot.font);
        slot.shadowFont = fontOr(
            keys.value(QStringLiteral("TextLbl") + stem + QStringLiteral("Color")), slot.shadowFont);
        // The shadow keeps the text font's face, size and style; only its colour is its own.
        const TColor shadowColor = slot.shadowFont.Color;
        slot.shadowFont = slot.font;
        slot.shadowFont.Color = shadowColor;
        slot.shadow = keys.value(QStringLiteral("TextLbl") + stem + QStringLiteral("FontFlag"))
                      == QLatin1String("1");
    }
    return s;
}

void WriteFrmBlkSection(const QString &projectFile, const FrmBlkSection &s)
{
    const SectionWriter w(projectFile, kSection);
    using Kind = FrmBlkSection::Kind;
    if (s.kind == Kind::Animation) {
        w.put(QStringLiteral("BlkIndex"), QString::number(s.blkIndex));
        w.put(QStringLiteral("BlkTmpName"), s.blkTmpName);
    }
    if (s.kind == Kind::Gradient) {
        w.put(QStringLiteral("BlkShadeIndex"), QString::number(s.shadeIndex));
        w.put(QStringLiteral("ColorFrom"), ColorToString(s.colorFrom));
        w.put(QStringLiteral("ColorTo"), ColorToString(s.colorTo));
    }
    if (s.kind == Kind::Picture)
        w.put(QStringLiteral("BlkEdtPicName"), storedpath::make(storedpath::kRes, s.fillPicture));
    w.put(QStringLiteral("BlkCheckName"), QString::number(int(s.kind)));
    w.flag(QStringLiteral("MusicCheckFlag"), s.music);
    if (s.music) {
        w.put(QStringLiteral("MusicNumber"), QString::number(s.musicItems.size()));
        for (qsizetype i = 0; i < s.musicItems.size(); ++i)
            w.put(QStringLiteral("MusicItem") + QString::number(i),
                storedpath::make(storedpath::kMusic, s.musicItems.at(i)));
    }
    w.flag(QStringLiteral("RecordCheckFlag"), s.record);
    if (s.record && !s.recordName.isEmpty()) {
        w.put(QStringLiteral("RecordEdtName"), storedpath::make(storedpath::kMusic, s.recordName));
        w.put(QStringLiteral("RecordIndex"), QString::number(s.recordIndex));
    }
    w.flag(QStringLiteral("TextCheckFlag"), s.text);
    if (!s.text)
        return;
    for (int i = 0; i < 3; ++i)
        w.flag(QStringLiteral("Lbl") + CaptionSlotStem(i) + QStringLiteral("Flag"),
               s.slots[i].used);
    w.put(QStringLiteral("LblCaptionIndex"), QString::number(s.captionIndex));
    for (int i = 0; i < 3; ++i)
        w.put(QStringLiteral("TextLbl") + CaptionSlotStem(i), s.slots[i].text);
    for (int i = 0; i < 3; ++i) {
        w.put(QStringLiteral("TextLbl") + CaptionSlotStem(i) + QStringLiteral("Font"),
            FontToString(s.slots[i].font));
        w.put(QStringLiteral("TextLbl") + CaptionSlotStem(i) + QStringLiteral("Color"),
            FontToString(s.slots[i].shadowFont));
    }
    for (int i = 0; i < 3; ++i)
        w.flag(QStringLiteral("TextLbl") + CaptionSlotStem(i) + QStringLiteral("FontFlag"),
               s.slots[i].shadow);
}

} // namespace ly
