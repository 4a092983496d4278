#include "editor/widgets/PreviewmMovieUnit.h"

#include "platform/widgets/GlobalHotKey.h"
#include "platform/widgets/MovieDisplay.h"

#include <QContextMenuEvent>
#include <QEventLoop>
#include <QMenu>

TFrmPreviewmMovie::TFrmPreviewmMovie(ly::platform::MovieDisplay &display, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_display(display)
{
    setObjectName(QStringLiteral("FrmPreviewmMovie"));
    setAccessibleName(objectName());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowModality(Qt::ApplicationModal);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    ExitFullScreen = PopupMenu1->addAction(QStringLiteral("Exit Full Screen"));
    ExitFullScreen->setObjectName(QStringLiteral("ExitFullScreen"));
    connect(ExitFullScreen, &QAction::triggered, this, &QWidget::close);
    m_display.setDisplayWindow(this);
    m_display.setDisplayRect(rect());
    m_hotKey = new ly::platform::GlobalHotKey(QStringLiteral("MyHotKey1"), QKeySequence(Qt::Key_Escape), this);
    connect(m_hotKey, &ly::platform::GlobalHotKey::activated, this, &TFrmPreviewmMovie::HotKeyPressed);
}

TFrmPreviewmMovie::~TFrmPreviewmMovie()
{
    // The hot key goes with the window, so the name is free for the next one.
    delete m_hotKey;
    if (m_display.displayWindow() == this)
        m_display.setDisplayWindow(nullptr);
}

void TFrmPreviewmMovie::ShowModal()
{
    showMaximized();
    activateWindow();
    QEventLoop loop;
    m_loop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
}

void TFrmPreviewmMovie::HotKeyPressed()
{
    close();
}

void TFrmPreviewmMovie::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_display.setDisplayWindow(this);
    m_display.setDisplayRect(rect());
}

void TFrmPreviewmMovie::contextMenuEvent(QContextMenuEvent *event)
{
    PopupMenu1->popup(event->globalPos());
}

void TFrmPreviewmMovie::hideEvent(QHideEvent *event)
{
    // However the window goes (the menu, Escape, a close by the system), its modal run ends.
    QWidget::hideEvent(event);
    if (m_loop)
        m_loop->quit();
}
