#pragma once

#include "card/FrameCardSection.h"
#include "control/Thumbnail.h"
#include "editor/widgets/EditorWindow.h"

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFrmControl;
class TlyColorBox;

// The frame card designer, docked in the main window: on the left the object list (the card's
// controls in stacking order, front-most first, the "Background" row last) with Up, Down,
// Delete and Preview, and the property pages of the card window and of the six control kinds,
// whose controls are named by the keys they write; on the right the tool buttons and the grey
// area over which the design surface (TFrmControl) floats. Its sections are [PictureText] and
// [PnlMain], written on save; each control's own section is written by its page whenever the
// control is created, moved or sized, and key by key on every change the user makes on it.
class TFrmPictureText : public QWidget, public EditorWindow
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 789;
    static constexpr int kClientHeight = 432;
    static constexpr int kListHeight = 120;
    // The object list's columns: the caption, the mark ("Y") and the component name.
    enum Column { ColCaption, ColMark, ColName, ColumnCount };
    // The tools, in the order of their buttons; 0 is Select, 1 … 6 create the kind of that
    // image.
    enum Tool { ToolSelect, ToolFrameBmp, ToolPic, ToolText, ToolLyText, ToolURLText, ToolBevel };
    static inline const QString kWishText = QStringLiteral("Please input some wish languages");
    static inline const QString kInvalidDocument = QStringLiteral("Invalid document");

    explicit TFrmPictureText(TFrmMain &main);
    ~TFrmPictureText() override;

    // EditorWindow
    QWidget *Window() override { return this; }
    void LoadStep(const ly::ProjectDocument &project) override;
    void SaveStep(const ly::ProjectDocument &project) override;
    // The designer comes in front and the surface shows over its grey area.
    void ShowPage() override;
    void HideFloatingWindows() override;

    TFrmControl *Surface() const { return m_surface; }
    // The project file the window took when it was created, and its folder.
    const QString &ProjectFile() const { return m_projectFile; }
    QString ProjectFolder() const;

    void LoadFrameCard(const QString &projectFile);
    void SaveFrameCard(const QString &projectFile);

    // What the surface asks of the property window.
    int CurrentTool() const;
    void SetTool(int tool);
    void AddRow(const QString &caption, int image, const QString &componentName);
    void Mark(const QString &componentName);
    void RemoveRow(const QString &componentName);
    // "Select" (kind image 0) shows the card window page; a kind's page is read from the
    // selected control's section.
    void ShowKindPage(int image);
    void FillAndWrite(QWidget *control, const QString &displayName);
    // The display name on the page of the selected control's kind.
    QString PageName(ly::framecard::Kind kind) const;
    // The surface's size changed: the card window page shows the client size.
    void SurfaceResized(const QSize &clientSize);

    // A page control by its key (or its field name): tests and the surface use it.
    QWidget *PageControl(const QString &key) const { return m_fields.value(key.toLower()); }
    // The component names of the rows, from row 0 (front-most) to the last ("PnlMain").
    QStringList RowNames() const;

    // The choosers: tests replace them. A picture chooser gets the library entry to open and
    // the picture types; it returns a path or empty. The wish text editor gets the text and
    // returns the new lines, or nothing when cancelled.
    using PictureChooser =
        std::function<QString(QWidget *owner, int initialEntry, const ly::PictureTypes &types)>;
    void setPictureChooser(PictureChooser chooser) { m_pictureChooser = std::move(chooser); }

    // The object list and its buttons.
    QLabel *LblObject;
    QToolButton *BtnUp;
    QToolButton *BtnDown;
    QToolButton *BtnDelete;
    QToolButton *BtnPreview;
    QTreeWidget *ListViewTitle;
    QLabel *LblProperties;
    QStackedWidget *Notebook;
    // The tools and the surface's area.
    QButtonGroup *ToolGroup;
    QToolButton *BtnSelect;
    QToolButton *BtnFrameBmp;
    QToolButton *BtnPic;
    QToolButton *BtnText;
    QToolButton *BtnLyText;
    QToolButton *BtnURLText;
    QToolButton *BtnBevel;
    QLabel *PnlControlTitle;
    QFrame *ScrollBoxBlk;
    // The card window page.
    QSpinBox *NoteMain_EdtWidth;
    QSpinBox *NoteMain_EdtHeight;
    TlyColorBox *NoteMain_ColorBox;
    QComboBox *NoteMain_ComStyle;
    QLineEdit *NoteMain_EdtName;
    QComboBox *NoteMain_ComStart;
    QComboBox *NoteMain_ComRadcom;
    QComboBox *NoteMain_ComAni;
    QLineEdit *EdtIco;
    QToolButton *BtnIco;

public Q_SLOTS:
    void ListViewTitleClick();
    void BtnUpClick();
    void BtnDownClick();
    void BtnDeleteClick();
    void BtnPreviewClick();
    void ToolClick();
    void BtnIcoClick();
    void FrmPicLoadClick();
    void PicLoadClick();
    void AniTextLoadClick();
    void FontClick(ly::framecard::Kind kind);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildPages();
    QWidget *BuildPage(ly::framecard::Kind kind);
    void LoadTexts();
    void FormShow();
    void PlaceSurface();

    int MarkedRow() const;
    void SwapRows(int a, int b);
    void SelectRow(int row);
    // Brings every control to the front from the last row up, so the surface stacks as the
    // list (and so Save) says.
    void RestackFromList();
    QTreeWidgetItem *RowOf(const QString &componentName) const;

    // The page of a kind from values, and values from the page.
    void ValuesToPage(const ly::framecard::FrameControl &values);
    ly::framecard::FrameControl PageValues(ly::framecard::Kind kind) const;
    void WritePage(ly::framecard::Kind kind);
    // A page control changed by the user.
    void FieldEdited(ly::framecard::Kind kind, ly::framecard::Field field);
    void WriteKey(ly::framecard::Kind kind, ly::framecard::Field field);
    QWidget *FieldOf(ly::framecard::Kind kind, ly::framecard::Field field) const;
    // The selected control when it is of that kind.
    QWidget *SelectedOf(ly::framecard::Kind kind) const;
    // Card window page changes.
    void CardSizeEdited();
    void CardColorChanged();
    void CardTitleEdited();
    void CardStyleChanged();

    QString ChoosePicture(int initialEntry, const ly::PictureTypes &types);

    TFrmMain &m_main;
    QString m_projectFile;
    TFrmControl *m_surface = nullptr;
    QHash<QString, QWidget *> m_fields; // by lower-case key
    QHash<int, QWidget *> m_pages;      // by kind image
    ly::framecard::ComponentId m_pageId; // the control the page shows
    bool m_filling = false;
    bool m_placed = false;
    PictureChooser m_pictureChooser;
};
