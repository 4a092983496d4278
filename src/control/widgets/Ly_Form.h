#pragma once

#include <QPoint>
#include <QWidget>

class QEventLoop;
class QLabel;
class QMouseEvent;
class QToolButton;
class TLyFullPicture;
class TlyImgBtn;

// The editor's frameless skinned window: a 28-pixel title bar of picture panels with the icon
// button, the title (a white label over its black shadow) and the title buttons, 4-pixel picture
// edges on the left, right and bottom, and the client picture panel in the rest. Descendants put
// their controls on ClientArea() and size the window; the parts keep their places.
//
// Only the exit button shows unless a window shows the others itself. Dragging the title picture
// moves the window; minimise sends the whole program to the task bar.
class Tly_Form : public QWidget
{
    Q_OBJECT

public:
    // The outcome of a modal run.
    enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

    static constexpr int kTitleHeight = 28;
    static constexpr int kEdge = 4;
    static constexpr int kButtonStripWidth = 75;

    // A window owned by `owner` stays above it and is centred on it when first shown.
    explicit Tly_Form(QWidget *owner = nullptr);
    ~Tly_Form() override;

    // The title text, on both labels, and the window's title for the task bar.
    void setTitleText(const QString &text);
    QString titleText() const;

    // The client picture panel that descendants fill.
    TLyFullPicture *ClientArea() const { return LyFullPicture2; }
    // Sizes the window so the client panel gets this size.
    void setClientAreaSize(const QSize &size);

    // Shows the window modally and returns its modal result once it closes (mrCancel when it was
    // closed without one).
    int ShowModal();
    int ModalResult() const { return m_modalResult; }
    // A result other than mrNone closes the window (and so ends a modal run).
    void setModalResult(int result);

    // The parts, named as in every skinned window of the program.
    QWidget *PnlTop;
    TLyFullPicture *LyFullPicture1; // title picture
    QToolButton *SpeedButton19;     // the icon button
    QLabel *Label35;                // title shadow, black
    QLabel *Label36;                // title text, white, above its shadow
    TLyFullPicture *LyFullPicture6; // title button strip
    TlyImgBtn *lyImgBtnMin;
    TlyImgBtn *lyImgBtnMax;
    TlyImgBtn *lyImgBtnNorm;
    TlyImgBtn *Ttl_BtnExit;
    TLyFullPicture *LyFullPicture4; // left edge
    TLyFullPicture *LyFullPicture5; // right edge
    QWidget *Panel2;                // bottom edge
    TLyFullPicture *LyFullPicture3;
    TLyFullPicture *LyFullPicture2; // client area

public Q_SLOTS:
    void LyFullPicture1MouseDown(QMouseEvent *event);
    void Ttl_BtnExitClick();
    void lyImgBtnMaxClick();
    void lyImgBtnNormClick();
    void lyImgBtnMinClick();

protected:
    // Hides the maximise, restore and minimise buttons. Runs at the end of construction.
    void FormCreate();

    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void alignParts();
    void placeFirstTime();

    int m_modalResult = mrNone;
    QEventLoop *m_modalLoop = nullptr;
    bool m_placed = false;
    // While the window's show event runs, a close waits until the showing has ended.
    bool m_showing = false;
    // Dragging by the title where the window system cannot move the window itself.
    bool m_dragging = false;
    QPoint m_dragOffset;
};

// Sets the three pictures of a title button from the skin: <name>Idle, <name>Up, <name>Down.
void LoadSkinButton(TlyImgBtn *button, const QString &name);
