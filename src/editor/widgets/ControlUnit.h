#pragma once

#include "card/FrameCardSection.h"

#include <QHash>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <array>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QMouseEvent;
class QToolButton;
class TFrmPictureText;
class TLyFullPicture;
class TlyControlSize;

// The frame card's design surface: a borderless window that stays on top and shows the card
// window as the card will show it, a 30-pixel title bar with the icon and the title (over its
// shadow), 4-pixel borders that size the window, and the client area PnlMain, which carries the
// card's controls. A click with a creation tool of the property window creates a control of
// that kind in its lowest free slot; a click on a control selects it and puts the resize
// handles (grid 8 × 8) around it; after every move or size the property window refreshes the
// control's page and writes its section.
class TFrmControl : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTitleHeight = 30;
    static constexpr int kBorder = 4;
    static constexpr int kGrid = 8;
    // A click at (x, y) of the window places a new control at (x - 5, y - 28).
    static constexpr QPoint kPlaceOffset{5, 28};
    static inline const QString kNoRoomText = QStringLiteral(
        "Execuse me, not good establish again this to control the piece, please choose the other "
        "to control the piece.");

    explicit TFrmControl(TFrmPictureText &designer);
    ~TFrmControl() override;

    // The card window.
    QSize ClientSize() const;
    void SetClientSize(const QSize &size);
    void SetCardColor(ly::TColor color);
    ly::TColor CardColor() const { return m_color; }
    QString Title() const;
    void SetTitle(const QString &title);
    // 0 title bar and borders shown, 1 hidden.
    int WindowStyle() const { return m_style; }
    void SetWindowStyle(int style);
    // False when the file is no picture (the icon stays as it was).
    bool SetTitleIcon(const QString &file);

    // The controls.
    QWidget *Control(ly::framecard::ComponentId id) const;
    QWidget *Control(const QString &componentName) const;
    QWidget *Selected() const { return m_selected; }
    const ly::framecard::FrameSlots &Slots() const { return m_slots; }
    TlyControlSize *Handles() const { return m_handles; }

    // What the property window asks of the surface.
    void SelectByName(const QString &componentName, int image);
    void Release();
    void DeleteSelected();
    void DeleteControl(QWidget *control);
    // Rebuilds one control from its stored values; nullptr (and nothing made) when its slot is
    // not free. A picture or text that cannot be read gives the built-in picture or one empty
    // line; the stored values stay.
    QWidget *CreateStored(const ly::framecard::FrameControl &values, const QString &caption);
    // The click-on-client-area step at a point of the window.
    void ClientClick(QPoint windowPos);
    // A click on a created control.
    void ControlClicked(QWidget *control, QPoint windowPos);
    // What the control itself holds, for its page: bounds and the properties the kind keeps.
    ly::framecard::FrameControl ControlValues(QWidget *control) const;
    // The stored font of a text control (the surface's font until one is set), and a new one.
    ly::TFont ControlFont(QWidget *control) const;
    void SetControlFont(QWidget *control, const ly::TFont &font);
    // Puts the handles around the selected control again (after its bounds changed).
    void Reattach();
    // Brings the controls to the front in this order (the last one ends front-most).
    void Restack(const QList<QWidget *> &backToFront);
    // The frame picture chosen on its page: loaded at its own size at (0, 0), the client area
    // takes that size, the title bar and borders go and the picture covers the client area.
    // False when the file cannot be loaded as a picture (nothing changes).
    bool LoadFramePicture(QWidget *frame, const QString &file);

    // The surface's parts.
    QWidget *PnlTitle;
    QLabel *ImgIcon;
    QLabel *Label35; // title shadow, black
    QLabel *Label36; // title, white, above its shadow
    QToolButton *BtnClose;
    QWidget *PnlLeft;
    QWidget *PnlRight;
    QWidget *PnlBottom;
    TLyFullPicture *PnlMain;
    QMenu *PopupMenu1;
    QAction *Copy1;
    QAction *Paste1;
    QAction *MenuDelete;

public Q_SLOTS:
    void Copy1Click();
    void Paste1Click();
    void MenuDeleteClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void LoadTexts();
    void LayOutParts();
    QWidget *CreateNew(ly::framecard::Kind kind, int slot, QPoint at);
    void Adopt(QWidget *control, ly::framecard::ComponentId id);
    void Select(QWidget *control);
    void HandlesMouseDown();
    void HandlesMouseUp();
    void HandlesKeyDown(QKeyEvent *event);
    void FillAndWriteSelected();
    ly::TFont SurfaceFont() const;
    void FitFrame();
    bool StartWindowDrag(QWidget *part, QMouseEvent *event);

    TFrmPictureText &m_designer;
    TlyControlSize *m_handles;
    ly::framecard::FrameSlots m_slots;
    std::array<std::array<QPointer<QWidget>, ly::framecard::kMaxSlots + 1>, ly::framecard::kKindCount>
        m_controls;
    QHash<QWidget *, ly::TFont> m_fonts;
    QPointer<QWidget> m_selected;
    QPointer<QWidget> m_aligned; // the frame picture that covers the client area
    int m_copiedKind = -1;       // Copy remembers the kind of the selected control
    ly::TColor m_color = ly::clWhite;
    int m_style = 0;
    QPointer<QWidget> m_armed; // the control or client area a left press went to
    // Moving and sizing the window where the window system cannot do it.
    QWidget *m_dragPart = nullptr;
    QPoint m_dragStart;
    QRect m_dragGeometry;
    bool m_fitting = false;
};
