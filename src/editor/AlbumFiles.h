#pragma once

#include <QMetaType>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>

class QThread;

// What the album editor does without a window: the effect tree's names, the shipped frame
// sets, the files it copies into the project folder on save, and the measuring of added
// pictures off the user-interface thread.
namespace ly {

// ---- Effect tree --------------------------------------------------------------------------

// The effect tree's node texts, node 0 first, from the three config.ini lists (each name
// ended by ";", text after the last ";" ignored): the joined list reversed, so node 0 is
// the last name. Lists that do not yield exactly 151 names cannot map node k to style
// 151 - k; then the catalogue names serve: node 0 "Random", node k the name of style 151 - k.
QStringList AlbumEffectNames(const QString &list1, const QString &list2, const QString &list3);
// The same from config.ini [FrmPicture] StyleName1 … StyleName3.
QStringList ReadAlbumEffectNames();

// ---- Frame sets ---------------------------------------------------------------------------

// The eight pieces of a frame set, in this order: the edge strips Top, Left, Right, Bottom,
// then the corners TopLeft, TopRight, BtmLeft, BtmRight.
inline constexpr std::array<const char *, 8> kFramePieces = {
    "Top.jpg", "Left.jpg", "Right.jpg", "Bottom.jpg",
    "TopLeft.jpg", "TopRight.jpg", "BtmLeft.jpg", "BtmRight.jpg"};
// The entry of the frame list that stands for the project's own copy in its PicBox folder.
inline const QString kProjectFrameEntry = QStringLiteral("PicBox");

// ProgramDir() + "BoxPicture/PicBoxFull/".
QString FrameSetsFolder();
// The names of the frame sets: the subfolders of `folder` whose names hold no ".", in the
// order the file system lists them.
QStringList ListFrameSets(const QString &folder);
// The file of that name in the folder, its name compared without regard to case (a project
// made on another system may spell "top.JPG"); folder + name when there is none.
QString FileInFolder(const QString &folder, const QString &name);
// The pieces of the folder that are missing or cannot be read as pictures.
QStringList MissingFramePieces(const QString &folder);
// Copies the eight pieces of a frame set into projectFolder + "PicBox/", replacing what is
// there. All or nothing: a set that lacks a piece, or a copy that fails, leaves PicBox as it
// was. False with a text naming the file in `error` when nothing was copied.
bool CopyFrameSet(const QString &setFolder, const QString &projectFolder, QString *error = nullptr);

// ---- Copies of the save step --------------------------------------------------------------

// The fill picture into projectFolder + "Res/" under its bare name, unless it lies there
// already or a file of that name (in any case) is there. Returns the bare name stored.
QString CopyFillPicture(const QString &file, const QString &projectFolder);
// A row's picture (folder + name) into projectFolder + "Picture/", unless the row's folder is
// that folder or a file of that name is there already. False when a copy was due and failed.
bool CopyAlbumPicture(const QString &folder, const QString &name, const QString &projectFolder);

// ---- Measuring added pictures -------------------------------------------------------------

// What a row shows of its picture file.
struct AlbumPictureInfo
{
    bool exists = false; // the file is there
    bool readable = false; // its header gives a picture size
    QString sizeText;    // SizeText of the file; empty when it is missing
    QSize pixels;        // invalid when the picture cannot be read
    // width + " X " + height; empty when the picture cannot be read.
    QString pixelText() const;
};
// Reads the file's size and the picture's size from its header (no decoding). Any thread.
AlbumPictureInfo MeasureAlbumPicture(const QString &file);

// Measures pictures on a thread of its own, in the order asked, and reports each on the
// thread that owns it. The owner's destructor stops the thread; results still pending are
// dropped.
class AlbumPictureMeasurer : public QObject
{
    Q_OBJECT

public:
    explicit AlbumPictureMeasurer(QObject *parent = nullptr);
    ~AlbumPictureMeasurer() override;

    // Measured(id, info) follows on this object's thread.
    void Measure(quint64 id, const QString &file);
    // Drops every result asked for so far.
    void Cancel() { ++m_generation; }
    int Pending() const { return m_pending; }

Q_SIGNALS:
    void Measured(quint64 id, const ly::AlbumPictureInfo &info);

private:
    QThread *m_thread;
    QObject *m_worker;
    std::atomic<quint64> m_generation{0};
    int m_pending = 0;
};

} // namespace ly

Q_DECLARE_METATYPE(ly::AlbumPictureInfo)
