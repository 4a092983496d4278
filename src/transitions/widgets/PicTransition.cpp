#include "transitions/widgets/PicTransition.h"

#include "shared/Error.h"
#include "shared/Messages.h"
#include "transitions/Effects.h"
#include "transitions/Pixels.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace tr = ly::transitions;

namespace {

// The end of a worker thread, posted to its control.
class TransitionEndEvent : public QEvent
{
public:
    explicit TransitionEndEvent(TAnimateThread *thread)
        : QEvent(ly::WM_TRANSITIONEND), thread(thread) {}
    TAnimateThread *const thread;
};

QThread::Priority toQtPriority(TCustomPicTransition::TThreadPriority p)
{
    switch (p) {
    case TCustomPicTransition::tpIdle: return QThread::IdlePriority;
    case TCustomPicTransition::tpLowest: return QThread::LowestPriority;
    case TCustomPicTransition::tpLower: return QThread::LowPriority;
    case TCustomPicTransition::tpNormal: return QThread::NormalPriority;
    case TCustomPicTransition::tpHigher: return QThread::HighPriority;
    case TCustomPicTransition::tpHighest: return QThread::HighestPriority;
    case TCustomPicTransition::tpTimeCritical: return QThread::TimeCriticalPriority;
    }
    return QThread::NormalPriority;
}

} // namespace

TAnimateThread::TAnimateThread(TCustomPicTransition *owner) : m_owner(owner) {}

void TAnimateThread::Terminate()
{
    QMutexLocker lock(&m_sleepLock);
    m_terminated = true;
    m_wake.wakeAll();
}

void TAnimateThread::run()
{
    QElapsedTimer frame;
    while (!Terminated()) {
        frame.start();
        m_owner->m_frameShown.wait();
        if (Terminated())
            break;
        m_owner->m_frameShown.reset();
        const int next = m_owner->NextProgress();
        // Without a new frame nothing will be painted, so nothing would signal frame-shown.
        if (!m_owner->ApplyProgress(next))
            m_owner->m_frameShown.set();
        if (next == m_owner->EndProgress())
            break;
        const qint64 rest = m_owner->m_delay - frame.elapsed();
        if (rest > 0) {
            QMutexLocker lock(&m_sleepLock);
            if (!Terminated())
                m_wake.wait(&m_sleepLock, QDeadlineTimer(rest));
        }
    }
    QCoreApplication::postEvent(m_owner, new TransitionEndEvent(this));
}

TCustomPicTransition::TCustomPicTransition(QWidget *parent)
    : QWidget(parent)
    , m_color(palette().color(QPalette::Window))
{
    // The back buffer paints every pixel, so no background erasing.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

TCustomPicTransition::~TCustomPicTransition()
{
    m_destroying = true;
    Stop();
}

bool TCustomPicTransition::Empty() const
{
    return m_picture.isNull() || m_picture.width() == 0 || m_picture.height() == 0;
}

// --- properties -------------------------------------------------------------------------

void TCustomPicTransition::SetPicture(const QImage &value)
{
    m_picture = value;
    if (m_destroying)
        return;
    if (m_autoSize && !Empty()) {
        switch (m_align) {
        case alNone: resize(m_picture.size()); break;
        case alTop:
        case alBottom: resize(width(), m_picture.height()); break;
        case alLeft:
        case alRight: resize(m_picture.width(), height()); break;
        case alClient: break;
        }
    }
    DoChange();
}

void TCustomPicTransition::SetBgPicture(const QImage &value)
{
    m_bgPicture = value;
    if (m_bgMode != bmNone && !m_painting)
        update();
}

void TCustomPicTransition::SetBgMode(TBackgroundMode value)
{
    if (value == m_bgMode)
        return;
    m_bgMode = value;
    if (!m_bgPicture.isNull())
        update();
}

void TCustomPicTransition::SetCenter(bool value)
{
    if (value == m_center)
        return;
    m_center = value;
    if (Shown())
        update();
}

void TCustomPicTransition::SetStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    if (Shown())
        update();
}

void TCustomPicTransition::SetStretchFine(bool value)
{
    if (value == m_stretchFine)
        return;
    m_stretchFine = value;
    if (Shown())
        update();
}

void TCustomPicTransition::SetColor(const QColor &value)
{
    m_color = value;
    update();
}

// Every buffer is 32 bits per pixel from the start, so switching to a pixel effect while
// busy needs no conversion.
void TCustomPicTransition::SetStyle(int value)
{
    if (value < 0 || value > tr::kStyleCount)
        return;
    m_style = value;
}

QString TCustomPicTransition::StyleName() const
{
    return m_style == 0 ? QStringLiteral("Custom") : tr::styleName(m_style);
}

void TCustomPicTransition::SetStyleName(const QString &value)
{
    if (value.compare(QLatin1String("Custom"), Qt::CaseInsensitive) == 0) {
        SetStyle(0);
        return;
    }
    if (const int style = tr::styleOfName(value))
        SetStyle(style);
}

void TCustomPicTransition::SetStep(int value)
{
    m_step = std::clamp(value, 1, 100);
}

void TCustomPicTransition::SetDelay(int value)
{
    m_delay = std::clamp(value, 0, 65535);
}

void TCustomPicTransition::SetManual(bool value)
{
    if (value == m_manual)
        return;
    m_manual = value;
    if (m_thread)
        StopThread();
    if (m_waitLoop)
        m_waitLoop->quit();
    if (!m_busy)
        m_progress = m_reverse ? 100 : 0;
    else if (!value)
        Animate();
}

// --- the transition ---------------------------------------------------------------------

void TCustomPicTransition::Execute()
{
    if (Empty() || m_busy)
        return;
    m_busy = true;
    const int w = m_picture.width(), h = m_picture.height();
    try {
        EnsureBackBuffer();
        const QRect picture = PictureRect({w, h});
        const QRect source = !m_stretch ? picture
                             : m_stretchFine
                                 ? tr::aspectFit(tr::Box::of(picture), tr::Box::of(rect())).toRect()
                                 : rect();
        {
            // The back buffer holds what the control shows now, or only the background.
            QPainter p(&m_backBuffer);
            if (m_bgNeverPainted || !m_overDraw)
                PaintBackground(p, rect());
            else
                RenderControl(p);
        }
        QImage snapshot(w, h, tr::kFrameFormat);
        QImage newPicture = tr::toFrameImage(m_picture, w, h, m_color.rgb());
        if (snapshot.isNull() || newPicture.isNull())
            throw ly::Error(QStringLiteral("Not enough memory for a %1 x %2 transition").arg(w).arg(h));
        snapshot.fill(m_color);
        tr::stretchCopy(snapshot, tr::Box::sized(w, h), m_backBuffer, tr::Box::of(source));
        QMutexLocker canvas(&m_canvasLock);
        m_snapshot = snapshot;
        m_newPicture = newPicture;
        tr::copyFrame(m_frame, m_snapshot);
        if (m_frame.isNull())
            throw ly::Error(QStringLiteral("Not enough memory for a %1 x %2 transition").arg(w).arg(h));
    } catch (...) {
        QMutexLocker canvas(&m_canvasLock);
        m_snapshot = QImage();
        m_newPicture = QImage();
        m_busy = false;
        throw;
    }
    ++m_generation;
    m_progress = m_reverse ? 100 : 0;
    // The first frame repaints the whole picture: the snapshot may differ from the screen
    // (OverDraw off, or a stretched picture scaled back).
    m_lastUpdate = QRect(0, 0, w, h);
    DoStart(m_newPicture, m_snapshot);
    if (!m_manual && m_busy)
        Animate();
}

void TCustomPicTransition::Animate()
{
    m_frameShown.set();
    if (m_threaded) {
        m_thread = new TAnimateThread(this);
        m_thread->start(toQtPriority(m_threadPriority));
    } else {
        RunLoop();
    }
}

int TCustomPicTransition::NextProgress() const
{
    const int p = m_progress, step = m_step;
    if (m_reverse)
        return p > step ? p - step : 0;
    return p < 100 - step ? p + step : 100;
}

void TCustomPicTransition::RunLoop()
{
    const QPointer<TCustomPicTransition> self(this);
    const quint64 generation = m_generation;
    const auto running = [&] { return self && m_busy && m_generation == generation; };
    while (running() && !m_manual && !m_stopping) {
        QElapsedTimer frame;
        frame.start();
        const int next = NextProgress();
        ApplyProgress(next);
        if (!running())
            return;
        if (next == EndProgress())
            break;
        // Pending messages are handled at least once per frame, so the window stays alive
        // even when frames take longer than Delay.
        QCoreApplication::processEvents();
        // The time left is read once: read again for the timer, it may have run out in
        // between on a busy machine, and a timer of negative length never starts.
        for (qint64 left = m_delay - frame.elapsed();
             left >= 0 && running() && !m_manual && !m_stopping;
             left = m_delay - frame.elapsed()) {
            QEventLoop wait;
            m_waitLoop = &wait;
            QTimer::singleShot(int(left + 1), &wait, &QEventLoop::quit);
            wait.exec();
            if (self)
                m_waitLoop = nullptr;
        }
    }
    if (running() && (m_stopping || !m_manual))
        Finish();
}

void TCustomPicTransition::SetProgress(int value)
{
    ApplyProgress(value);
}

bool TCustomPicTransition::ApplyProgress(int value)
{
    value = std::clamp(value, 0, 100);
    QRect changed;
    {
        QMutexLocker lock(&m_lock);
        if (!m_busy || value == m_progress)
            return false;
        m_progress = value;
        changed = ComposeFrame();
    }
    ShowFrame(changed);
    DoProgress();
    return true;
}

QRect TCustomPicTransition::ComposeFrame()
{
    QMutexLocker canvas(&m_canvasLock);
    const int p = m_progress, style = m_style;
    tr::copyFrame(m_frame, m_snapshot);
    DoBeforeNewFrame(m_newPicture, m_frame);
    QRect update(0, 0, m_frame.width(), m_frame.height());
    if (p >= 1 && p <= 99 && style == 0)
        DoCustomDraw(m_newPicture, m_frame);
    else
        update = tr::drawFrame(m_frame, m_newPicture, style, m_step, p);
    const QRect changed = update | m_lastUpdate;
    m_lastUpdate = update;
    DoAfterNewFrame(m_newPicture, m_frame);
    return changed;
}

void TCustomPicTransition::ShowFrame(const QRect &changed)
{
    if (QThread::currentThread() == thread()) {
        if (!changed.isEmpty())
            repaint(MapUpdateRect(changed));
        m_frameShown.set();
    } else if (!changed.isEmpty()) {
        // Widgets belong to the UI thread; it repaints and then lets the worker go on. A
        // hidden control paints nothing, so the handler signals frame-shown itself.
        QMetaObject::invokeMethod(
            this,
            [this, changed] {
                repaint(MapUpdateRect(changed));
                m_frameShown.set();
            },
            Qt::QueuedConnection);
    } else {
        m_frameShown.set();
    }
}

void TCustomPicTransition::Stop()
{
    if (QThread::currentThread() != thread()) {
        // From a frame handler on the worker: waiting for the worker there would never end.
        QMetaObject::invokeMethod(this, &TCustomPicTransition::Stop, Qt::QueuedConnection);
        return;
    }
    if (!m_busy || m_stopping)
        return;
    m_stopping = true;
    const bool hadThread = m_thread != nullptr;
    if (m_thread)
        StopThread();
    if (m_waitLoop)
        m_waitLoop->quit();
    if (m_manual || !hadThread)
        Finish();
    m_stopping = false;
}

void TCustomPicTransition::StopThread()
{
    m_thread->Terminate();
    m_frameShown.set();
    m_thread->wait();
    // The thread posted its end message before it ended; handling it frees the thread.
    QCoreApplication::sendPostedEvents(this, ly::WM_TRANSITIONEND);
    if (m_thread) {
        delete m_thread;
        m_thread = nullptr;
    }
}

bool TCustomPicTransition::event(QEvent *e)
{
    if (e->type() != ly::WM_TRANSITIONEND)
        return QWidget::event(e);
    auto *end = static_cast<TransitionEndEvent *>(e);
    if (end->thread != m_thread || !m_thread)
        return true;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    if (!m_manual || m_stopping)
        Finish();
    return true;
}

void TCustomPicTransition::Finish()
{
    if (!m_busy)
        return;
    m_busy = false;
    {
        QMutexLocker canvas(&m_canvasLock);
        m_snapshot = QImage();
        m_newPicture = QImage();
    }
    if (m_destroying)
        return;
    if (!m_stopping)
        DoComplete();
    DoStop();
}

void TCustomPicTransition::Clear()
{
    if (m_busy || !Shown())
        return;
    {
        QMutexLocker canvas(&m_canvasLock);
        m_frame = QImage();
    }
    update();
}

// --- painting ---------------------------------------------------------------------------

bool TCustomPicTransition::Shown() const
{
    QMutexLocker canvas(&m_canvasLock);
    return !m_frame.isNull();
}

QRect TCustomPicTransition::PictureRect(QSize size) const
{
    if (!m_center)
        return QRect(QPoint(0, 0), size);
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QRect TCustomPicTransition::FrameTarget(QSize size) const
{
    if (!m_stretch)
        return PictureRect(size);
    if (m_stretchFine)
        return tr::aspectFit(tr::Box::of(PictureRect(size)), tr::Box::of(rect())).toRect();
    return rect();
}

QRect TCustomPicTransition::MapUpdateRect(const QRect &r) const
{
    QMutexLocker canvas(&m_canvasLock);
    const int w = m_frame.width(), h = m_frame.height();
    if (w <= 0 || h <= 0)
        return QRect();
    if (!m_stretch)
        return r.translated(PictureRect({w, h}).topLeft()) & PictureRect({w, h});
    const tr::Box t = tr::Box::of(FrameTarget({w, h}));
    const tr::Box b = tr::Box::of(r);
    const tr::Box mapped{t.x0 + ly::MulDiv(b.x0, t.width(), w), t.y0 + ly::MulDiv(b.y0, t.height(), h),
                         t.x0 + ly::MulDiv(b.x1, t.width(), w), t.y0 + ly::MulDiv(b.y1, t.height(), h)};
    // A pixel more on each side: the painter's scaling may round an edge pixel the other way.
    return mapped.toRect().adjusted(-1, -1, 1, 1) & rect();
}

void TCustomPicTransition::EnsureBackBuffer()
{
    if (m_backBuffer.size() != size())
        m_backBuffer = QImage(size(), tr::kFrameFormat);
}

void TCustomPicTransition::PaintBackground(QPainter &Canvas, const QRect &Rect)
{
    Canvas.fillRect(Rect, m_color);
    if (m_bgPicture.isNull() || m_bgMode == bmNone)
        return;
    switch (m_bgMode) {
    case bmTiled: {
        // Copies edge to edge from the top left corner, enough rows and columns to cover the
        // area: one textured fill instead of a draw per copy.
        const int rows = Rect.height() / m_bgPicture.height() + 1;
        const int columns = Rect.width() / m_bgPicture.width() + 1;
        Canvas.setBrushOrigin(Rect.topLeft());
        Canvas.fillRect(QRect(Rect.topLeft(), QSize(columns * m_bgPicture.width(),
                                                      rows * m_bgPicture.height())),
                        QBrush(m_bgPicture));
        Canvas.setBrushOrigin(0, 0);
        break;
    }
    case bmStretched: Canvas.drawImage(Rect, m_bgPicture); break;
    case bmCentered:
        Canvas.drawImage(Rect.left() + (Rect.width() - m_bgPicture.width()) / 2,
                         Rect.top() + (Rect.height() - m_bgPicture.height()) / 2, m_bgPicture);
        break;
    case bmNone: break;
    }
}

void TCustomPicTransition::RenderControl(QPainter &p)
{
    PaintBackground(p, rect());
    QMutexLocker canvas(&m_canvasLock);
    if (!m_frame.isNull())
        p.drawImage(FrameTarget(m_frame.size()), m_frame);
}

void TCustomPicTransition::paintEvent(QPaintEvent *e)
{
    if (m_painting)
        return;
    m_painting = true;
    EnsureBackBuffer();
    const QRect area = e->rect() & rect();
    {
        // Only the area being painted is composed; the rest of the back buffer is unchanged.
        QPainter back(&m_backBuffer);
        back.setClipRect(area);
        RenderControl(back);
    }
    QPainter(this).drawImage(area.topLeft(), m_backBuffer, area);
    m_bgNeverPainted = false;
    m_painting = false;
    m_frameShown.set();
}

void TCustomPicTransition::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    EnsureBackBuffer();
    if (Shown())
        update();
}

void TCustomPicTransition::enterEvent(QEnterEvent *e)
{
    QWidget::enterEvent(e);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TCustomPicTransition::leaveEvent(QEvent *e)
{
    QWidget::leaveEvent(e);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TCustomPicTransition::mouseReleaseEvent(QMouseEvent *e)
{
    QWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && OnClick)
        OnClick(this);
}

// --- events -----------------------------------------------------------------------------

void TCustomPicTransition::DoChange()
{
    if (OnChange)
        OnChange(this);
}

void TCustomPicTransition::DoProgress()
{
    if (OnProgress)
        OnProgress(this);
}

void TCustomPicTransition::DoCustomDraw(QImage &Picture, QImage &Screen)
{
    if (OnCustomDraw)
        OnCustomDraw(this, Picture, Screen);
}

void TCustomPicTransition::DoBeforeNewFrame(QImage &Picture, QImage &Screen)
{
    if (OnBeforeNewFrame)
        OnBeforeNewFrame(this, Picture, Screen);
}

void TCustomPicTransition::DoAfterNewFrame(QImage &Picture, QImage &Screen)
{
    if (OnAfterNewFrame)
        OnAfterNewFrame(this, Picture, Screen);
}

void TCustomPicTransition::DoComplete()
{
    if (OnComplete)
        OnComplete(this);
}

void TCustomPicTransition::DoStart(QImage &Picture, QImage &Screen)
{
    if (OnStart)
        OnStart(this, Picture, Screen);
}

void TCustomPicTransition::DoStop()
{
    if (OnStop)
        OnStop(this);
}
