#include "control/widgets/Ly_Form.h"

#include "control/widgets/LyFullPicture.h"
#include "control/widgets/LyImgBtn.h"
#include "control/widgets/Skin.h"
#include "shared/Version.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

namespace {

TLyFullPicture *skinPanel(QWidget *parent, const QString &picture)
{
    auto *panel = new TLyFullPicture(parent);
    panel->setLyLoadPicture(ly::SkinPicture(picture));
    return panel;
}

QLabel *titleLabel(QWidget *parent, const QColor &color, const QPoint &at)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setGeometry(at.x(), at.y(), 400, 18);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    // Presses on the title text drag the window like presses on the title picture beneath.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

void LoadSkinButton(TlyImgBtn *button, const QString &name)
{
    button->setAutoSize(true);
    button->setPicDown(ly::SkinPicture(name + QStringLiteral("Down")));
    button->setPicUp(ly::SkinPicture(name + QStringLiteral("Up")));
    button->setPicIdle(ly::SkinPicture(name + QStringLiteral("Idle")));
}

Tly_Form::Tly_Form(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint)
{
    PnlTop = new QWidget(this);
    LyFullPicture1 = skinPanel(PnlTop, QStringLiteral("TitleBar"));
    SpeedButton19 = new QToolButton(LyFullPicture1);
    SpeedButton19->setGeometry(3, 4, 22, 22);
    SpeedButton19->setAutoRaise(true);
    SpeedButton19->setIconSize(QSize(20, 20));
    SpeedButton19->setIcon(ly::SkinPicture(QStringLiteral("Icon")));
    SpeedButton19->setFocusPolicy(Qt::NoFocus);
    Label35 = titleLabel(LyFullPicture1, Qt::black, QPoint(29, 10));
    Label36 = titleLabel(LyFullPicture1, Qt::white, QPoint(30, 9));
    Label36->raise();

    LyFullPicture6 = skinPanel(PnlTop, QStringLiteral("TitleBar"));
    const struct { TlyImgBtn **button; const char *skin; int x; } buttons[] = {
        {&lyImgBtnMin, "BtnMin", 8}, {&lyImgBtnMax, "BtnMax", 29},
        {&lyImgBtnNorm, "BtnNorm", 29}, {&Ttl_BtnExit, "BtnExit", 51}};
    for (const auto &b : buttons) {
        *b.button = new TlyImgBtn(LyFullPicture6);
        LoadSkinButton(*b.button, QLatin1String(b.skin));
        (*b.button)->move(b.x, 8);
    }
    lyImgBtnMin->setToolTip(QStringLiteral("Minimize"));
    lyImgBtnMax->setToolTip(QStringLiteral("Maximize"));
    lyImgBtnNorm->setToolTip(QStringLiteral("Restore"));
    Ttl_BtnExit->setToolTip(QStringLiteral("Exit"));

    LyFullPicture4 = skinPanel(this, QStringLiteral("EdgeLeft"));
    LyFullPicture5 = skinPanel(this, QStringLiteral("EdgeRight"));
    Panel2 = new QWidget(this);
    LyFullPicture3 = skinPanel(Panel2, QStringLiteral("EdgeBottom"));
    LyFullPicture2 = skinPanel(this, QStringLiteral("Client"));

    connect(LyFullPicture1, &TLyFullPicture::OnMouseDown, this, &Tly_Form::LyFullPicture1MouseDown);
    connect(LyFullPicture6, &TLyFullPicture::OnMouseDown, this, &Tly_Form::LyFullPicture1MouseDown);
    connect(Ttl_BtnExit, &TlyImgBtn::OnClick, this, &Tly_Form::Ttl_BtnExitClick);
    connect(lyImgBtnMax, &TlyImgBtn::OnClick, this, &Tly_Form::lyImgBtnMaxClick);
    connect(lyImgBtnNorm, &TlyImgBtn::OnClick, this, &Tly_Form::lyImgBtnNormClick);
    connect(lyImgBtnMin, &TlyImgBtn::OnClick, this, &Tly_Form::lyImgBtnMinClick);

    setWindowIcon(ly::SkinPicture(QStringLiteral("Icon48")));
    setTitleText(QString::fromLatin1(ly::kProductVersionText));
    resize(690, 504);
    alignParts();
    FormCreate();
}

Tly_Form::~Tly_Form()
{
    if (m_modalLoop)
        m_modalLoop->exit();
}

void Tly_Form::FormCreate()
{
    lyImgBtnMax->hide();
    lyImgBtnNorm->hide();
    lyImgBtnMin->hide();
}

void Tly_Form::setTitleText(const QString &text)
{
    Label35->setText(text);
    Label36->setText(Label35->text());
    setWindowTitle(text);
}

QString Tly_Form::titleText() const
{
    return Label36->text();
}

void Tly_Form::setClientAreaSize(const QSize &size)
{
    resize(size.width() + 2 * kEdge, size.height() + kTitleHeight + kEdge);
    alignParts();
}

void Tly_Form::alignParts()
{
    const int w = width();
    const int h = height();
    const int sides = std::max(0, h - kTitleHeight - kEdge);
    PnlTop->setGeometry(0, 0, w, kTitleHeight);
    LyFullPicture1->setGeometry(0, 0, std::max(0, w - kButtonStripWidth), kTitleHeight);
    LyFullPicture6->setGeometry(w - kButtonStripWidth, 0, kButtonStripWidth, kTitleHeight);
    Panel2->setGeometry(0, h - kEdge, w, kEdge);
    LyFullPicture3->setGeometry(0, 0, w, kEdge);
    LyFullPicture4->setGeometry(0, kTitleHeight, kEdge, sides);
    LyFullPicture5->setGeometry(w - kEdge, kTitleHeight, kEdge, sides);
    LyFullPicture2->setGeometry(kEdge, kTitleHeight, std::max(0, w - 2 * kEdge), sides);
}

void Tly_Form::resizeEvent(QResizeEvent *event)
{
    alignParts();
    QWidget::resizeEvent(event);
}

// The first showing centres the window on its owner (or on the active window, or the screen),
// unless the window was placed before.
void Tly_Form::placeFirstTime()
{
    if (m_placed)
        return;
    m_placed = true;
    if (testAttribute(Qt::WA_Moved) || isMaximized())
        return;
    QRect area;
    if (QWidget *owner = parentWidget())
        area = owner->window()->frameGeometry();
    else if (QWidget *active = QApplication::activeWindow(); active && active != this)
        area = active->frameGeometry();
    else if (QScreen *screen = this->screen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void Tly_Form::showEvent(QShowEvent *event)
{
    placeFirstTime();
    QWidget::showEvent(event);
}

int Tly_Form::ShowModal()
{
    m_modalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    m_modalLoop = &loop;
    QPointer<Tly_Form> self(this);
    show();
    if (!self)
        return mrCancel;
    // A window that closed itself while it was being shown has nothing left to wait for.
    if (isVisible() && m_modalResult == mrNone)
        loop.exec(QEventLoop::DialogExec);
    if (!self)
        return mrCancel;
    m_modalLoop = nullptr;
    hide();
    setWindowModality(Qt::NonModal);
    return m_modalResult;
}

void Tly_Form::setModalResult(int result)
{
    m_modalResult = result;
    if (result != mrNone && isVisible())
        close();
}

bool Tly_Form::event(QEvent *event)
{
    if (event->type() != QEvent::Show)
        return QWidget::event(event);
    const bool outer = !m_showing;
    m_showing = true;
    const bool handled = QWidget::event(event);
    if (outer)
        m_showing = false;
    return handled;
}

void Tly_Form::closeEvent(QCloseEvent *event)
{
    // A window that closes itself while it is being shown (no tips to show, say) closes once
    // the showing is over: hidden half-way, it would stay on screen as the modal window.
    if (m_showing) {
        event->ignore();
        QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
        return;
    }
    if (m_modalLoop && m_modalResult == mrNone)
        m_modalResult = mrCancel;
    QWidget::closeEvent(event);
}

void Tly_Form::hideEvent(QHideEvent *event)
{
    if (m_modalLoop && !event->spontaneous())
        m_modalLoop->exit();
    QWidget::hideEvent(event);
}

void Tly_Form::LyFullPicture1MouseDown(QMouseEvent *event)
{
    // Where the window system can move the window (a real window manager), it does the drag;
    // otherwise the window follows the pointer itself until the button is released.
    if (QWindow *handle = windowHandle(); handle && handle->startSystemMove())
        return;
    if (isMaximized())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
    grabMouse();
}

void Tly_Form::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

void Tly_Form::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->buttons() == Qt::NoButton) {
        m_dragging = false;
        releaseMouse();
    }
    QWidget::mouseReleaseEvent(event);
}

void Tly_Form::Ttl_BtnExitClick()
{
    close();
}

void Tly_Form::lyImgBtnMaxClick()
{
    showMaximized();
    lyImgBtnMax->hide();
    lyImgBtnNorm->show();
}

void Tly_Form::lyImgBtnNormClick()
{
    showNormal();
    lyImgBtnNorm->hide();
    lyImgBtnMax->show();
}

// The whole program goes to the task bar: every window of its own (not owned by another) is
// minimised; owned windows go with their owner.
void Tly_Form::lyImgBtnMinClick()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        const Qt::WindowType type = w->windowType();
        if (w->isVisible() && !w->parentWidget() && (type == Qt::Window || type == Qt::Dialog))
            w->showMinimized();
    }
}
