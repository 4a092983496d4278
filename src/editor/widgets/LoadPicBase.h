#pragma once

#include "control/Thumbnail.h"
#include "control/widgets/Ly_Form.h"
#include "editor/Library.h"
#include "editor/widgets/LibraryTree.h"

#include <QList>

class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TlyFolderTree;
class TlyScrollboxImg;
namespace ly {
class PictureLoader;
struct PictureFile;
}

// The layout and behaviour the two picture choosers share: on the left a page control with the
// material library tree and the file-system tree, the preview panel below it; on the right the
// location line over the thumbnail browser; at the foot the loading gauge, the action button,
// the close button and a status bar of six panels (the number of pictures, then the selected
// picture's size, name, pixel size, date and type).
class TFrmLoadPicBase : public Tly_Form, public ly::LibraryPages
{
    Q_OBJECT

public:
    // The current picture: the last clicked tile's file, or empty.
    QString CurrentPicture() const { return m_currentPicture; }

    // Shows a folder: the location line, the gauge, the browser (its loading stopped first) and
    // the number of pictures in panel 0.
    void ShowFolder(const QString &folder);

    // Header texts (the one-picture chooser shows them).
    QLabel *TextTop_Lbl;
    QLabel *TextBtm_Lbl;
    QLabel *PnlPreview;             // the preview panel; its text is the placeholder
    QLabel *ImgPreview;             // the picture inside it
    QLabel *Panel_R_Top;            // the location line
    TlyScrollboxImg *ScrollBoxImg1;
    QProgressBar *Gauge1;
    QPushButton *BtnOpen;           // the action button
    QPushButton *BtnCancel;
    QWidget *StatusBar1;
    QList<QLabel *> StatusPanels;   // the six panels of StatusBar1

public Q_SLOTS:
    void TreeView1Click(QTreeWidgetItem *node);
    void ShellTreeView1Change(QTreeWidgetItem *node);
    void ScrollBoxImg1Progress(int Progress, int MaxValue);
    void ScrollBoxImg1ImgClick(const QString &MyFile, const QString &GetFileName,
                               const QString &GetFileSize, const QString &GetFilePix,
                               const QString &GetFileStyle, const QString &GetFileDateTime);
    void ScrollBoxImg1Click();
    void PnlPreviewClick();
    void BtnCreateClick();
    void BtnDeleteClick();
    void BtnRenameClick();
    virtual void BtnOpenClick() = 0;
    void BtnCancelClick();

protected:
    // `section`: the library listed; `baseFolder`: the folder offered for a new entry.
    TFrmLoadPicBase(QWidget *owner, const QString &section, const QString &baseFolder);
    ~TFrmLoadPicBase() override;

    // The section whose "Path_" keys give the folders of the library's entries.
    virtual QString EntryFolderSection() const { return m_section; }
    // What closing without the action clears (the output, the current picture).
    virtual void ClearOutput() { m_currentPicture.clear(); }

    // Remembers the two prefixes and the placeholder and shows it.
    void RememberTexts();
    void LoadLibrary();
    // Lays the parts out in the client area; `headerHeight` leaves room for the header texts.
    void LayoutParts();
    void setHeaderHeight(int height) { m_headerHeight = height; }
    void ClearPreview();
    // The library entries' folders, native.
    QStringList LibraryFolders() const;

    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    QString m_section;
    QString m_baseFolder;
    QString m_currentPicture;
    QString m_locationPrefix;
    QString m_sumPrefix;
    QString m_previewText;
    ly::LibraryRecords m_records;

private:
    void SetDetailPanel(int index, const QString &text);
    void ShowPreview();
    void PreviewLoaded(const ly::PictureFile &picture);

    ly::PictureLoader *m_previewLoader;
    int m_headerHeight = 0;
};
