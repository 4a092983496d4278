#pragma once

#include "editor/widgets/EditorWindow.h"
#include "shared/widgets/ListHelpers.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TLyFullPicture;
class TPicTransition;

namespace ly {
class AlbumPictureMeasurer;
struct AlbumPictureInfo;
class PictureLoader;
struct PictureFile;
} // namespace ly

// The album editor, docked in the main window: the pictures of the card's photo album in
// show order, each with the transition that brings it on, the album window's size, frame,
// fill picture, show mode and interval, and a preview that plays the selected picture's
// transition inside the frame. Its values are the project's [FrmPicture] keys; on save it
// copies the pictures, the fill picture and the frame pieces into the project folder.
//
//   left, page "LoadPic"     list buttons, the picture list, "Windows Property"
//   left, page "StylePic"    the effect tree and "Return"
//   right                    the preview (470 × 330) and "Picture Property"
//
// Pictures are measured and decoded off the user-interface thread, so adding many large
// pictures never stalls the window; a row shows its size once measured.
class TFrmPicture : public QWidget, public EditorWindow
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 789;
    static constexpr int kClientHeight = 432;
    static constexpr int kPreviewWidth = 470;
    static constexpr int kPreviewHeight = 330;
    // The list's columns: the caption and sub-items 0 … 4.
    enum Column { ColName, ColSize, ColEffect, ColFolder, ColPixels, ColEffectIndex, ColumnCount };
    // Icon indexes by extension, in the order the icon list is filled.
    static int IconIndexOf(const QString &fileName);

    explicit TFrmPicture(TFrmMain &main);
    ~TFrmPicture() override;

    // EditorWindow
    QWidget *Window() override { return this; }
    void LoadStep(const ly::ProjectDocument &project) override;
    void SaveStep(const ly::ProjectDocument &project) override;
    void StopMedia() override;

    // The add step (also the multi-picture chooser's): appends a row for the picture unless a
    // row of that file name, in any case, is listed. Returns the new row, or nullptr.
    QTreeWidgetItem *AddPicture(const QString &path);
    // Whether a row of that file name (case ignored) is listed.
    bool Lists(const QString &fileName) const;
    // Rows whose file is missing or cannot be read as a picture.
    bool RowMarked(int row) const;
    // Measurements and preview pictures still on their way.
    bool Loading() const;

    // List page.
    QStackedWidget *Notebook1;
    QWidget *LoadPic;
    QWidget *StylePic;
    QToolButton *BtnPicAdd;
    QToolButton *BtnDelOne;
    QToolButton *BtnDelAll;
    QToolButton *BtnUp;
    QToolButton *BtnDown;
    QToolButton *BtnPicStyle;
    QTreeWidget *ListView1;
    QGroupBox *GroupBox2;
    QLabel *LblWindowPix;
    QLabel *LblWidth;
    QSpinBox *Edt_pix1;
    QLabel *LblHeight;
    QSpinBox *Edt_pix2;
    QLabel *LblPicBox;
    QComboBox *ComboBoxEx;
    QLabel *LblPicDo;
    QLineEdit *Edit1;
    QToolButton *BtnPicDo;
    QRadioButton *RadioButton1;
    QRadioButton *RadioButton2;
    QRadioButton *RadioButton3;
    QCheckBox *CheckScreen;
    QLabel *LblPlayTime;
    QSpinBox *EdtSecond;
    QLabel *LblSecond;

    // Effect page.
    QLabel *LblStyle;
    QTreeWidget *TreeView1;
    QPushButton *BtnApply;

    // Preview and picture property.
    QLabel *Preview_Lbl;
    QWidget *PnlPreview;
    // Top, Left, Right, Bottom, TopLeft, TopRight, BtmLeft, BtmRight.
    std::array<TLyFullPicture *, 8> ImgPieces;
    TLyFullPicture *PnlPicture; // the area inside the frame, tiled with the fill picture
    TPicTransition *PicTransition1;
    QGroupBox *GroupBox1;
    QLabel *LblFilename;
    QLabel *LblFilePath;
    QLabel *LblPro;
    QLabel *LblPixel;

public Q_SLOTS:
    void BtnPicAddClick();
    void BtnDelOneClick();
    void BtnDelAllClick();
    void BtnUpClick();
    void BtnDownClick();
    void BtnPicStyleClick();
    void BtnApplyClick();
    void BtnPicDoClick();
    void ListView1Click();
    void TreeView1Change();
    void TreeView1DblClick();
    void ComboBoxExChange(int index);
    void PicTransition1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadTexts();
    void BuildEffectTree();
    void FillFrameList();
    void Reset();
    void FollowSelection();
    // The frame folder of the list entry, or empty for the first entry.
    QString FrameFolderOf(int index) const;
    void ShowFrame(const QString &folder);
    void LayOutPreview();
    void SetFill(const QString &file);
    // Sets the transition style from an effect index (0: a new random draw).
    void SetStyleOfIndex(int index);
    void PlayRow(QTreeWidgetItem *row);
    void PictureLoaded(const ly::PictureFile &picture);
    void FillLoaded(const ly::PictureFile &picture);
    void RowMeasured(quint64 id, const ly::AlbumPictureInfo &info);
    QTreeWidgetItem *SelectedRow() const;
    QString RowPath(const QTreeWidgetItem *row) const;
    QString ProjectFolder() const;

    TFrmMain &m_main;
    ly::ImageList m_icons;
    QStringList m_effectNames;
    int m_frameIndex = 0;        // the frame entry shown, for refusing an incomplete set
    QString m_rememberedName;    // from "Effect" to "Return"
    int m_rememberedIndex = 0;
    quint64 m_nextRowId = 1;
    bool m_pressOnSelected = false;
    QString m_wantedPicture;     // the file the preview waits for
    QString m_wantedFill;
    QImage m_fill;
    ly::AlbumPictureMeasurer *m_measurer;
    ly::PictureLoader *m_pictureLoader;
    ly::PictureLoader *m_fillLoader;
};
