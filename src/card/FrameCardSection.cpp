#include "card/FrameCardSection.h"

#include "card/Package.h"
#include "card/ProjectKeys.h"
#include "card/StagedFile.h"
#include "card/StoredPath.h"
#include "shared/CodePage.h"
#include "shared/Error.h"
#include "shared/FileHelpers.h"
#include "shared/Ini.h"
#include "shared/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

// The pictures live in a static library: this reference keeps them linked in.
static void initFrameCardResources()
{
    Q_INIT_RESOURCE(framecard);
}

namespace ly::framecard {

namespace {

const QString kPictureText = QStringLiteral("PictureText");
const QString kPnlMain = QStringLiteral("PnlMain");
// The stored folder of the animated texts, as the designer has always written it; on disk
// they lie in Res beside the pictures, the folder the builder packs.
const QString kTextFolder = QStringLiteral("res");

constexpr KindInfo kInfos[kKindCount] = {
    {"SkinPic", "TSkinPic", "FormImage", "SkinPic", 1, 1},
    {"Picture", "TPicture", "Image", "Picture", 2, kMaxSlots},
    {"StaticText", "TStaticText", "StaticText", "StaticText", 3, kMaxSlots},
    {"AniText", "TAniText", "MoveText", "AniText", 4, kMaxSlots},
    {"UrlText", "TUrlText", "RULText", "UrlText", 5, kMaxSlots},
    {"Bevel", "TBevel", "Bevel", "Bevel", 6, kMaxSlots},
};

constexpr int kMinPlace = -9999;
constexpr int kMaxPlace = 9999;

// Stored index → shape and direction, as the page lists them.
constexpr BevelShape kShapeOfIndex[kBevelShapes] = {
    BevelShape::BottomLine, BevelShape::Box,       BevelShape::Frame,  BevelShape::LeftLine,
    BevelShape::RightLine,  BevelShape::Spacer,    BevelShape::TopLine};
constexpr TextMotion kMotionOfIndex[kTextMotions] = {
    TextMotion::BottomToTop, TextMotion::LeftToRight, TextMotion::RightToLeft,
    TextMotion::TopToBottom};

QString section(ComponentId id)
{
    return ComponentName(id);
}

} // namespace

const KindInfo &InfoOf(Kind kind)
{
    return kInfos[int(kind)];
}

std::optional<Kind> KindOfImage(int image)
{
    if (image < 1 || image > kKindCount)
        return std::nullopt;
    return Kind(image - 1);
}

QString ComponentName(ComponentId id)
{
    return QLatin1String(InfoOf(id.kind).prefix) + QLatin1Char('_') + QString::number(id.slot);
}

QString DisplayName(ComponentId id)
{
    const QString caption = QLatin1String(InfoOf(id.kind).caption);
    return id.kind == Kind::SkinPic ? caption : caption + QString::number(id.slot);
}

std::optional<ComponentId> ParseComponentName(const QString &name)
{
    const qsizetype bar = name.indexOf(QLatin1Char('_'));
    if (bar <= 0)
        return std::nullopt;
    const QString prefix = name.left(bar);
    const QString number = name.mid(bar + 1);
    for (Kind kind : kKinds) {
        const KindInfo &info = InfoOf(kind);
        if (prefix != QLatin1String(info.prefix))
            continue;
        static const QRegularExpression plain(QStringLiteral("^[1-9][0-9]?$"));
        if (!plain.match(number).hasMatch())
            return std::nullopt;
        const int slot = number.toInt();
        if (slot > info.most)
            return std::nullopt;
        return ComponentId{kind, slot};
    }
    return std::nullopt;
}

bool FrameSlots::used(ComponentId id) const
{
    return id.slot >= 1 && id.slot <= InfoOf(id.kind).most && m_used[int(id.kind)][id.slot];
}

bool FrameSlots::take(ComponentId id)
{
    if (id.slot < 1 || id.slot > InfoOf(id.kind).most || used(id))
        return false;
    m_used[int(id.kind)][id.slot] = true;
    return true;
}

void FrameSlots::release(ComponentId id)
{
    if (id.slot >= 1 && id.slot <= InfoOf(id.kind).most)
        m_used[int(id.kind)][id.slot] = false;
}

int FrameSlots::lowestFree(Kind kind) const
{
    for (int slot = 1; slot <= InfoOf(kind).most; ++slot)
        if (!m_used[int(kind)][slot])
            return slot;
    return 0;
}

// ---- [PictureText] --------------------------------------------------------------------------

QList<FrameItem> ReadPictureTextItems(const QString &projectFile)
{
    QList<FrameItem> items;
    const ProjectKeys keys(projectFile, kPictureText);
    const int number = keys.count(QStringLiteral("Number"), QStringLiteral("ItemClass"));
    FrameSlots slots;
    for (int k = 0; k < number; ++k) {
        const QString n = QString::number(k);
        const QString storedClass = keys.value(QStringLiteral("ItemClass") + n);
        if (storedClass.isEmpty())
            break;
        const std::optional<ComponentId> id =
            ParseComponentName(keys.value(QStringLiteral("ItemName") + n));
        if (!id || storedClass != QLatin1String(InfoOf(id->kind).storedClass) || !slots.take(*id))
            continue;
        items.append({*id, keys.value(QStringLiteral("ItemCaption") + n)});
    }
    return items;
}

void WritePictureText(const QString &projectFile, const QList<FrameItem> &items)
{
    ini::eraseSection(projectFile, kPictureText);
    const SectionWriter w(projectFile, kPictureText);
    w.put(QStringLiteral("Number"), QString::number(items.size()));
    for (qsizetype k = 0; k < items.size(); ++k) {
        const QString n = QString::number(k);
        const FrameItem &item = items.at(k);
        w.put(QStringLiteral("ItemName") + n, ComponentName(item.id));
        w.put(QStringLiteral("ItemClass") + n, QLatin1String(InfoOf(item.id.kind).storedClass));
        w.put(QStringLiteral("ItemCaption") + n, item.caption);
    }
}

// ---- [PnlMain] ------------------------------------------------------------------------------

bool HasPnlMain(const QString &projectFile)
{
    return ini::hasSection(projectFile, kPnlMain);
}

PnlMainSection ReadPnlMain(const QString &projectFile)
{
    PnlMainSection s;
    const ProjectKeys keys(projectFile, kPnlMain);
    using P = PnlMainSection;
    s.width = keys.integer(QStringLiteral("NoteMain_EdtWidth"), s.width, P::kMinSide, P::kMaxSide);
    s.height = keys.integer(QStringLiteral("NoteMain_EdtHeight"), s.height, P::kMinSide, P::kMaxSide);
    s.color = keys.color(QStringLiteral("NoteMain_ColorBox"), clWhite);
    s.style = keys.integer(QStringLiteral("NoteMain_ComStyle"), 0, 0, P::kStyles - 1);
    s.title = keys.value(QStringLiteral("NoteMain_EdtName"));
    s.start = keys.integer(QStringLiteral("NoteMain_ComStart"), 0, 0, P::kStarts - 1);
    s.random = keys.integer(QStringLiteral("NoteMain_ComRadcom"), 0, 0, P::kRandoms - 1);
    s.velocity = keys.integer(QStringLiteral("NoteMain_ComAni"), 0, 0, P::kVelocities - 1);
    s.icon = storedpath::bareName(keys.value(QStringLiteral("NoteMain_LblIco")), storedpath::kRes);
    return s;
}

void WritePnlMain(const QString &projectFile, const PnlMainSection &s)
{
    const SectionWriter w(projectFile, kPnlMain);
    w.put(QStringLiteral("NoteMain_EdtWidth"), QString::number(s.width));
    w.put(QStringLiteral("NoteMain_EdtHeight"), QString::number(s.height));
    w.put(QStringLiteral("NoteMain_ColorBox"), ColorToString(s.color));
    w.put(QStringLiteral("NoteMain_ComStyle"), QString::number(s.style));
    w.put(QStringLiteral("NoteMain_EdtName"), s.title.trimmed());
    w.put(QStringLiteral("NoteMain_ComStart"), QString::number(s.start));
    w.put(QStringLiteral("NoteMain_ComRadcom"), QString::number(s.random));
    w.put(QStringLiteral("NoteMain_ComAni"), QString::number(s.velocity));
    w.put(QStringLiteral("NoteMain_LblIco"),
          s.icon.isEmpty() ? QString() : storedpath::make(storedpath::kRes, s.icon));
}

// ---- The controls' sections -----------------------------------------------------------------

BevelShape BevelShapeOfIndex(int index)
{
    return index >= 0 && index < kBevelShapes ? kShapeOfIndex[index] : BevelShape::Box;
}

int IndexOfBevelShape(BevelShape shape)
{
    for (int i = 0; i < kBevelShapes; ++i)
        if (kShapeOfIndex[i] == shape)
            return i;
    return 1;
}

TextMotion TextMotionOfIndex(int index)
{
    return index >= 0 && index < kTextMotions ? kMotionOfIndex[index] : TextMotion::BottomToTop;
}

int IndexOfTextMotion(TextMotion motion)
{
    for (int i = 0; i < kTextMotions; ++i)
        if (kMotionOfIndex[i] == motion)
            return i;
    return 0;
}

QList<KeyField> KeysOf(Kind kind)
{
    using F = Field;
    switch (kind) {
    case Kind::SkinPic:
        return {{"FrmPic_EdtTop", F::Top},         {"FrmPic_EdtLeft", F::Left},
                {"FrmPic_EdtWidth", F::Width},     {"FrmPic_EdtHeight", F::Height},
                {"FrmPic_EdtName", F::Name},       {"FrmPic_EdtPic", F::Picture},
                {"FrmPic_ComColor", F::TransparentColor}};
    case Kind::Picture:
        return {{"Pic_EdtTop", F::Top},            {"Pic_EdtLeft", F::Left},
                {"Pic_EdtWidth", F::Width},        {"Pic_EdtHeight", F::Height},
                {"Pic_EdtName", F::Name},          {"Pic_EdtPicture", F::Picture},
                {"Pic_ComAutosize", F::AutoSize},  {"Pic_ComStretch", F::Stretch},
                {"Pic_ComTrans", F::PictureTrans}};
    case Kind::StaticText:
        return {{"StaticLbl_EdtTop", F::Top},       {"StaticLbl_EdtLeft", F::Left},
                {"StaticLbl_EdtWidth", F::Width},   {"StaticLbl_EdtHeight", F::Height},
                {"StaticLbl_EdtCaption", F::Caption}, {"StaticLbl_ComColor", F::Color},
                {"StaticLbl_EdtFont", F::Font},     {"StaticLbl_EdtName", F::Name},
                {"StaticLbl_ComTransparent", F::Transparent}};
    case Kind::AniText:
        return {{"AniLbl_EdtText", F::Text},        {"AniLbl_ComColor", F::Color},
                {"AniLbl_EdtFont", F::Font},        {"AniLbl_ComBorder", F::Border},
                {"AniLbl_ComEnabled", F::Enabled},  {"AniLbl_EdtInterval", F::Interval},
                {"AniLbl_ComAniStyle", F::Motion},  {"AniLbl_ComTrans", F::Transparent},
                {"AniLbl_EdtTop", F::Top},          {"AniLbl_EdtLeft", F::Left},
                {"AniLbl_EdtWidth", F::Width},      {"AniLbl_EdtHeight", F::Height},
                {"AniLbl_EdtName", F::Name}};
    case Kind::UrlText:
        return {{"URLLbl_EdtTop", F::Top},          {"URLLbl_EdtLeft", F::Left},
                {"URLLbl_EdtName", F::Name},        {"URLLbl_EdtCaption", F::Caption},
                {"URLLbl_Font", F::Font},           {"URLLbl_ComLink", F::LinkColor},
                {"URLLbl_ComHover", F::HoverColor}, {"URLLbl_EdtUrl", F::Url}};
    case Kind::Bevel:
        return {{"Bevel_EdtTop", F::Top},           {"Bevel_EdtLeft", F::Left},
                {"Bevel_EdtWidth", F::Width},       {"Bevel_EdtHeight", F::Height},
                {"Bevel_EdtName", F::Name},         {"Bevel_ComShape", F::Shape},
                {"Bevel_ComStyle", F::BevelStyle}};
    }
    return {};
}

QString KeyOf(Kind kind, Field field)
{
    for (const KeyField &k : KeysOf(kind))
        if (k.field == field)
            return QLatin1String(k.key);
    return QString();
}

QString StoredValue(const FrameControl &c, Field field)
{
    const auto number = [](int v) { return QString::number(v); };
    switch (field) {
    case Field::Top: return number(c.top);
    case Field::Left: return number(c.left);
    case Field::Width: return number(c.width);
    case Field::Height: return number(c.height);
    case Field::Name: return c.name;
    case Field::Picture:
        return c.picture.isEmpty() ? QString() : storedpath::make(storedpath::kRes, c.picture);
    case Field::TransparentColor: return ColorToString(c.transparentColor);
    case Field::AutoSize: return number(c.autoSize);
    case Field::Stretch: return number(c.stretch);
    case Field::PictureTrans: return number(c.pictureTrans);
    case Field::Caption: return c.caption;
    case Field::Color: return ColorToString(c.color);
    case Field::Font: return c.font;
    case Field::Transparent: return number(c.transparent);
    case Field::Text: return c.text.isEmpty() ? QString() : storedpath::make(kTextFolder, c.text);
    case Field::Border: return number(c.border);
    case Field::Enabled: return number(c.enabled);
    case Field::Interval: return number(c.interval);
    case Field::Motion: return number(c.motion);
    case Field::LinkColor: return ColorToString(c.linkColor);
    case Field::HoverColor: return ColorToString(c.hoverColor);
    case Field::Url: return c.url;
    case Field::Shape: return number(c.shape);
    case Field::BevelStyle: return number(c.bevelStyle);
    }
    return QString();
}

FrameControl ReadFrameControl(const QString &projectFile, ComponentId id)
{
    FrameControl c;
    c.id = id;
    const ProjectKeys keys(projectFile, section(id));
    const auto index = [&keys](const QString &key, int count) {
        return keys.integer(key, 0, 0, count - 1);
    };
    for (const KeyField &k : KeysOf(id.kind)) {
        const QString key = QLatin1String(k.key);
        switch (k.field) {
        case Field::Top: c.top = keys.integer(key, 0, kMinPlace, kMaxPlace); break;
        case Field::Left: c.left = keys.integer(key, 0, kMinPlace, kMaxPlace); break;
        case Field::Width: c.width = keys.integer(key, 0, 0, kMaxPlace); break;
        case Field::Height: c.height = keys.integer(key, 0, 0, kMaxPlace); break;
        case Field::Name: c.name = keys.value(key); break;
        case Field::Picture:
            c.picture = storedpath::bareName(keys.value(key), storedpath::kRes);
            break;
        case Field::TransparentColor: c.transparentColor = keys.color(key, clWhite); break;
        case Field::AutoSize: c.autoSize = index(key, 2); break;
        case Field::Stretch: c.stretch = index(key, 2); break;
        case Field::PictureTrans: c.pictureTrans = index(key, 2); break;
        case Field::Caption: c.caption = keys.value(key); break;
        case Field::Color: c.color = keys.color(key, clWhite); break;
        case Field::Font: c.font = keys.value(key); break;
        case Field::Transparent: c.transparent = index(key, 2); break;
        case Field::Text: c.text = storedpath::bareName(keys.value(key), kTextFolder); break;
        case Field::Border: c.border = index(key, 2); break;
        case Field::Enabled: c.enabled = index(key, 2); break;
        case Field::Interval: c.interval = keys.integer(key, 100, 1, 3600000); break;
        case Field::Motion: c.motion = index(key, kTextMotions); break;
        case Field::LinkColor: c.linkColor = keys.color(key, clRed); break;
        case Field::HoverColor: c.hoverColor = keys.color(key, clBlue); break;
        case Field::Url: c.url = keys.value(key); break;
        case Field::Shape: c.shape = keys.integer(key, 1, 0, kBevelShapes - 1); break;
        case Field::BevelStyle: c.bevelStyle = index(key, 2); break;
        }
    }
    return c;
}

void WriteFrameControl(const QString &projectFile, const FrameControl &control)
{
    const SectionWriter w(projectFile, section(control.id));
    for (const KeyField &k : KeysOf(control.id.kind))
        w.put(QLatin1String(k.key), StoredValue(control, k.field));
}

void WriteFrameKey(const QString &projectFile, const FrameControl &control, Field field)
{
    const QString key = KeyOf(control.id.kind, field);
    if (!key.isEmpty())
        ini::write(projectFile, section(control.id), key, StoredValue(control, field));
}

void EraseFrameControl(const QString &projectFile, ComponentId id)
{
    ini::eraseSection(projectFile, section(id));
}

// ---- Files ----------------------------------------------------------------------------------

QString ResFolder(const QString &projectFolder)
{
    return AddTrailingBackslash(projectFolder) + storedpath::kRes + QLatin1Char('/');
}

QString ResolvedPath(const QString &projectFolder, const QString &bareName)
{
    return bareName.isEmpty() ? kNoFile : ResFolder(projectFolder) + bareName;
}

QString AniTextFileName(ComponentId id)
{
    return ComponentName(id) + QStringLiteral(".txt");
}

QString AniTextStored(ComponentId id)
{
    return storedpath::make(kTextFolder, AniTextFileName(id));
}

QString CopyIntoRes(const QString &source, const QString &projectFolder)
{
    if (source.isEmpty())
        return QString();
    const QFileInfo from(source);
    QString name = from.fileName();
    if (!package::isBareFileName(name) || !package::isStorableName(name))
        name = SanitizedFileName(name);
    const QString folder = ResFolder(projectFolder);
    EnsureDir(folder);
    const QString base = QFileInfo(name).completeBaseName();
    const QString suffix = QFileInfo(name).suffix();
    const QString sourcePath = from.canonicalFilePath();
    for (int n = 0; n < 10000; ++n) {
        const QString candidate =
            n == 0 ? name
                   : base + QLatin1Char('_') + QString::number(n)
                         + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
        const QString target = folder + candidate;
        const QFileInfo there(target);
        if (!there.exists()) {
            QFile::copy(source, target);
            return candidate;
        }
        if ((!sourcePath.isEmpty() && there.canonicalFilePath() == sourcePath)
            || SameFileContent(source, target))
            return candidate;
        if (!from.exists())
            return name; // nothing to copy: the name stays as it was
    }
    return name;
}

QStringList ReadTextLines(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return package::splitLines(codepage::toUnicode(in.readAll()));
}

bool WriteTextLines(const QString &file, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += codepage::fromUnicode(line) + "\r\n";
    try {
        StagedFile out(file);
        out.open();
        out.writeAll(bytes);
        out.commit();
        return true;
    } catch (const Error &) {
        return false;
    }
}

QString StoredUrl(const QString &typed)
{
    if (typed.isEmpty() || typed.toLower().contains(QLatin1String("http://")))
        return typed;
    static const QRegularExpression scheme(
        QStringLiteral("^([a-z][a-z0-9+.-]*://|mailto:)"), QRegularExpression::CaseInsensitiveOption);
    if (scheme.match(typed).hasMatch())
        return typed;
    return QStringLiteral("http://") + typed;
}

QImage BuiltInPicture(Kind kind)
{
    initFrameCardResources();
    return QImage(kind == Kind::SkinPic ? QStringLiteral(":/framecard/DefaultFrame.png")
                                        : QStringLiteral(":/framecard/DefaultPicture.png"));
}

TFont FontOfString(const QString &text, const TFont &base)
{
    if (text.isEmpty())
        return base;
    TFont font = base;
    try {
        FontFromString(text, font);
    } catch (const Error &) {
        return base;
    }
    return font;
}

} // namespace ly::framecard
