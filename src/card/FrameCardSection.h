#pragma once

#include "shared/FontColor.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The frame card of a project: a small window of its own (the card window, section [PnlMain])
// on which pictures, texts, animated texts, links and bevels are laid out, optionally shaped by
// one frame picture. [PictureText] lists the controls from the back-most to the front-most;
// each control has a section named by its component name ("Picture_3") whose keys are the
// names of the designer's page controls. The designer writes these sections and the card
// player reads them through this model.
//
// A project file may come from a stranger: a listed control is taken only as a known kind with
// a free slot and its own class, and stored paths only as "\Res\" + a bare name, so nothing
// read here reaches outside the project's Res folder.
namespace ly::framecard {

// The six control kinds, in the order of their tool buttons and kind images 1 … 6.
enum class Kind { SkinPic, Picture, StaticText, AniText, UrlText, Bevel };
inline constexpr int kKindCount = 6;
inline constexpr int kMaxSlots = 20;
// The kind image of the "Background" row.
inline constexpr int kBackgroundImage = 0;

struct KindInfo
{
    const char *prefix;      // component name before "_": "Picture"
    const char *storedClass; // "TPicture"
    const char *caption;     // display name before the slot: "Image"
    const char *page;        // the property page: "Picture"
    int image;               // kind image in the object list
    int most;                // slots 1 … most
};
const KindInfo &InfoOf(Kind kind);
inline constexpr std::array<Kind, kKindCount> kKinds = {
    Kind::SkinPic, Kind::Picture, Kind::StaticText, Kind::AniText, Kind::UrlText, Kind::Bevel};
// The kind of an image 1 … 6.
std::optional<Kind> KindOfImage(int image);

struct ComponentId
{
    Kind kind = Kind::Picture;
    int slot = 1;
    bool operator==(const ComponentId &) const = default;
};

// "SkinPic_1", "Picture_3".
QString ComponentName(ComponentId id);
// "FormImage" for the frame picture, caption + slot for the others ("Image3").
QString DisplayName(ComponentId id);
// The kind and slot of a component name: exactly a known prefix, "_" and a slot 1 … most in
// plain decimal; nothing else ("System", "Picture_25", "Picture_03").
std::optional<ComponentId> ParseComponentName(const QString &name);

// Used slots per kind; the frame picture has one.
class FrameSlots
{
public:
    bool used(ComponentId id) const;
    // Marks the slot used; false when it is out of range or already used.
    bool take(ComponentId id);
    void release(ComponentId id);
    // The lowest free slot of the kind, or 0 when every slot is used.
    int lowestFree(Kind kind) const;
    void clear() { m_used = {}; }

private:
    std::array<std::array<bool, kMaxSlots + 1>, kKindCount> m_used{};
};

// ---- [PictureText] --------------------------------------------------------------------------

struct FrameItem
{
    ComponentId id;
    QString caption; // the display name shown in the object list
};

// The listed controls, back-most first: k from 0 while k < Number (bounded by the class keys
// present), stopping at the first empty class; an entry whose name is not a known kind with a
// free slot, or whose class is not that kind's, is left out.
QList<FrameItem> ReadPictureTextItems(const QString &projectFile);
// Erases [PictureText] and writes Number and the three keys of every item. Throws ly::Error.
void WritePictureText(const QString &projectFile, const QList<FrameItem> &items);

// ---- [PnlMain] ------------------------------------------------------------------------------

struct PnlMainSection
{
    static constexpr int kMinSide = 1;
    static constexpr int kMaxSide = 9999;
    // The lists' entries.
    static constexpr int kStyles = 2;     // "Dialog", "None"
    static constexpr int kStarts = 5;     // "Center", "LeftTop", "RightTop", "LeftBottom", "RightBottom"
    static constexpr int kRandoms = 2;    // "True", "False"
    static constexpr int kVelocities = 3; // "Standard", "Rapidness", "Slow"

    int width = 320;
    int height = 240;
    TColor color = clWhite;
    int style = 0; // 0 title bar and borders, 1 none
    QString title;
    int start = 0;
    int random = 0;
    int velocity = 0;
    QString icon; // bare name in Res; empty for none
};

bool HasPnlMain(const QString &projectFile);
PnlMainSection ReadPnlMain(const QString &projectFile);
// The nine keys in their order; the section is not erased first. Throws ly::Error.
void WritePnlMain(const QString &projectFile, const PnlMainSection &section);

// ---- The controls' sections -----------------------------------------------------------------

// The value lists of the controls' pages: the stored value is the list index.
// Bevel_ComShape: 0 bsBottomLine, 1 bsBox, 2 bsFrame, 3 bsLeftLine, 4 bsRightLine, 5 bsSpacer,
// 6 bsTopLine. The shapes are numbered as the bevel control numbers them.
enum class BevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
inline constexpr int kBevelShapes = 7;
BevelShape BevelShapeOfIndex(int index);
int IndexOfBevelShape(BevelShape shape);
// AniLbl_ComAniStyle: 0 "BtmToTop", 1 "LeftToRight", 2 "RightToLeft", 3 "TtopToBtm". The
// directions are numbered as the animated text panel numbers them.
enum class TextMotion { LeftToRight, RightToLeft, TopToBottom, BottomToTop };
inline constexpr int kTextMotions = 4;
TextMotion TextMotionOfIndex(int index);
int IndexOfTextMotion(TextMotion motion);

// Every property of one control; each kind uses its own (the key tables below).
struct FrameControl
{
    ComponentId id;
    QString name; // display name
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    // SkinPic and Picture: bare name of the picture in Res; empty for the built-in picture.
    QString picture;
    TColor transparentColor = clWhite; // SkinPic
    // Picture: 0 on, 1 off.
    int autoSize = 0;
    int stretch = 0;
    int pictureTrans = 0;
    QString caption;      // StaticText, UrlText
    TColor color = clWhite; // StaticText highlight, AniText background
    QString font;         // font string; StaticText, AniText, UrlText
    int transparent = 0;  // StaticText, AniText: 0 transparent, 1 opaque
    // AniText.
    QString text; // bare name of the text file in Res
    int border = 0;  // 0 none, 1 single
    int enabled = 0; // 0 moves, 1 stands still
    int interval = 100;
    int motion = 0; // AniLbl_ComAniStyle
    // UrlText.
    TColor linkColor = clRed;
    TColor hoverColor = clBlue;
    QString url;
    // Bevel.
    int shape = 1;
    int bevelStyle = 0; // 0 lowered, 1 raised
};

// The properties a control's section holds, in the order the page writes them.
enum class Field {
    Top, Left, Width, Height, Name, Picture, TransparentColor, AutoSize, Stretch, PictureTrans,
    Caption, Color, Font, Transparent, Text, Border, Enabled, Interval, Motion, LinkColor,
    HoverColor, Url, Shape, BevelStyle
};
struct KeyField
{
    const char *key;
    Field field;
};
// The keys of a kind's section in their order.
QList<KeyField> KeysOf(Kind kind);
// The key of a field of the kind; empty when the kind has no such field.
QString KeyOf(Kind kind, Field field);

// The stored text of one field ("\Res\" + name for pictures, "\res\" + name for texts).
QString StoredValue(const FrameControl &control, Field field);

// Reads the control's section; a missing section or key gives the defaults (integers 0, the
// interval 100, the bevel shape bsBox), values out of range too.
FrameControl ReadFrameControl(const QString &projectFile, ComponentId id);
// Writes the kind's keys in their order. Throws ly::Error.
void WriteFrameControl(const QString &projectFile, const FrameControl &control);
// Writes one field's key. Throws ly::Error.
void WriteFrameKey(const QString &projectFile, const FrameControl &control, Field field);
void EraseFrameControl(const QString &projectFile, ComponentId id);

// ---- Files ----------------------------------------------------------------------------------

// The word that stands for "no file" where a path is passed on: the built-in picture, or one
// empty line of text.
inline const QString kNoFile = QStringLiteral("NoFile");
// The project's Res folder with a trailing separator, as it is on disk (the builder packs it).
QString ResFolder(const QString &projectFolder);
// The native path of a bare name in Res; kNoFile for an empty name.
QString ResolvedPath(const QString &projectFolder, const QString &bareName);
// "\res\" + component name + ".txt": the stored form of an animated text's file.
QString AniTextStored(ComponentId id);
QString AniTextFileName(ComponentId id);

// Copies a picture into Res and returns its bare name there. The same file, or a file of the
// same name with the same bytes, is not copied again; another file of that name is kept and
// the picture takes the first free name ("name_1.gif", ...). A copy that fails is not
// reported: the name is returned all the same. Empty for an empty source.
QString CopyIntoRes(const QString &source, const QString &projectFolder);

// The lines of a text file in the code page; empty when it cannot be read.
QStringList ReadTextLines(const QString &file);
// Writes the lines, each ended by CR LF, in the code page; false on failure.
bool WriteTextLines(const QString &file, const QStringList &lines);

// The address a link opens: unchanged when it holds "http://" or already begins with a scheme
// ("https://", "mailto:"); else "http://" in front. Empty stays empty.
QString StoredUrl(const QString &typed);

// The built-in pictures of the frame picture (SkinPic) and of a new picture control; the editor
// and the card player show the same ones.
QImage BuiltInPicture(Kind kind);

// The font of a font string over a base: the base where the string is empty or broken.
TFont FontOfString(const QString &text, const TFont &base);

} // namespace ly::framecard
