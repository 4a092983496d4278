#pragma once

#include "transitions/ManualResetEvent.h"

#include <QImage>
#include <QMutex>
#include <QRecursiveMutex>
#include <QThread>
#include <QWaitCondition>
#include <QWidget>

#include <atomic>
#include <functional>

class QEventLoop;
class TCustomPicTransition;

// Paces the frames of a threaded transition: waits until the last frame was shown, sets the
// next progress (which composes the frame on this thread), sleeps out the rest of Delay, and
// posts ly::WM_TRANSITIONEND to the control when it ends.
class TAnimateThread : public QThread
{
public:
    explicit TAnimateThread(TCustomPicTransition *owner);

    // Tells the thread to end; wakes it from its sleep.
    void Terminate();
    bool Terminated() const { return m_terminated; }

protected:
    void run() override;

private:
    TCustomPicTransition *m_owner;
    std::atomic<bool> m_terminated{false};
    QMutex m_sleepLock;
    QWaitCondition m_wake;
};

// A control that replaces what it shows by a new picture through an animated transition: over
// a series of frames the progress runs from 0 to 100 and one of the 150 effects of the
// catalogue (or the owner's custom drawing) composes each frame from the old screen image and
// the new picture. Frames are composed off-screen in the frame buffer and only the area the
// effect changed is repainted.
//
// Threaded (the default), a worker thread composes the frames and raises OnBeforeNewFrame,
// OnCustomDraw, OnAfterNewFrame and OnProgress on that thread; their handlers must not touch
// other widgets. Everything else happens on the UI thread. Execute, Stop, Clear and the
// setters belong to the UI thread.
class TCustomPicTransition : public QWidget
{
    Q_OBJECT

public:
    enum TBackgroundMode { bmNone, bmTiled, bmStretched, bmCentered };
    enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
    // Which side the control is docked to; AutoSize keeps the docked extent.
    enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

    using TNotifyEvent = std::function<void(TCustomPicTransition *Sender)>;
    using TCustomDrawEvent =
        std::function<void(TCustomPicTransition *Sender, QImage &Picture, QImage &Screen)>;

    explicit TCustomPicTransition(QWidget *parent = nullptr);
    ~TCustomPicTransition() override;

    // Starts a transition to Picture; nothing happens without a picture or while busy.
    virtual void Execute();
    // Ends a busy transition at once: OnStop, no OnComplete.
    virtual void Stop();
    // When idle and a picture is shown, forgets it, so only the background shows.
    virtual void Clear();

    int Progress() const { return m_progress; }
    // Values above 100 count as 100; nothing happens when idle or unchanged.
    void SetProgress(int value);
    bool Busy() const { return m_busy; }
    bool Empty() const;

protected:
    // The properties; TPicTransition publishes them.
    const QImage &Picture() const { return m_picture; }
    void SetPicture(const QImage &value);
    const QImage &BgPicture() const { return m_bgPicture; }
    void SetBgPicture(const QImage &value);
    TBackgroundMode BgMode() const { return m_bgMode; }
    void SetBgMode(TBackgroundMode value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value) { m_autoSize = value; }
    bool Center() const { return m_center; }
    void SetCenter(bool value);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool StretchFine() const { return m_stretchFine; }
    void SetStretchFine(bool value);
    bool OverDraw() const { return m_overDraw; }
    void SetOverDraw(bool value) { m_overDraw = value; }
    int Style() const { return m_style; }
    void SetStyle(int value);
    QString StyleName() const;
    void SetStyleName(const QString &value);
    int Step() const { return m_step; }
    void SetStep(int value);
    int Delay() const { return m_delay; }
    void SetDelay(int value);
    bool Reverse() const { return m_reverse; }
    void SetReverse(bool value) { m_reverse = value; }
    bool Manual() const { return m_manual; }
    void SetManual(bool value);
    bool Threaded() const { return m_threaded; }
    void SetThreaded(bool value) { m_threaded = value; }
    TThreadPriority ThreadPriority() const { return m_threadPriority; }
    void SetThreadPriority(TThreadPriority value) { m_threadPriority = value; }
    QColor Color() const { return m_color; }
    void SetColor(const QColor &value);
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign value) { m_align = value; }

    // The events; each Do… operation raises the event of its name when it is assigned.
    TNotifyEvent OnChange;
    TCustomDrawEvent OnStart;
    TCustomDrawEvent OnBeforeNewFrame;
    TCustomDrawEvent OnCustomDraw;
    TCustomDrawEvent OnAfterNewFrame;
    TNotifyEvent OnProgress;
    TNotifyEvent OnComplete;
    TNotifyEvent OnStop;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnClick;

    virtual void PaintBackground(QPainter &Canvas, const QRect &Rect);
    virtual void DoChange();
    virtual void DoProgress();
    virtual void DoCustomDraw(QImage &Picture, QImage &Screen);
    virtual void DoBeforeNewFrame(QImage &Picture, QImage &Screen);
    virtual void DoAfterNewFrame(QImage &Picture, QImage &Screen);
    virtual void DoComplete();
    virtual void DoStart(QImage &Picture, QImage &Screen);
    virtual void DoStop();

    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    friend class TAnimateThread;

    // A picture is shown (the frame buffer is not empty).
    bool Shown() const;
    // The picture rectangle for a picture of that size: at the origin, or centred in the
    // client area with Center.
    QRect PictureRect(QSize size) const;
    // Where a frame of that size is drawn in the client area.
    QRect FrameTarget(QSize size) const;
    // Background and shown frame into the painter (the back buffer).
    void RenderControl(QPainter &p);
    void EnsureBackBuffer();
    // A rectangle of the frame buffer in control coordinates.
    QRect MapUpdateRect(const QRect &r) const;
    // The progress after the current one, and where the animation ends.
    int NextProgress() const;
    int EndProgress() const { return m_reverse ? 0 : 100; }
    // Sets the progress and composes the frame; false when nothing changed.
    bool ApplyProgress(int value);
    // Composes the frame of the current progress; returns the changed area of the frame
    // buffer, joined with the previous frame's (its pixels may have gone back to the snapshot).
    QRect ComposeFrame();
    // Repaints the changed area now, or has the UI thread do it, then signals frame-shown.
    void ShowFrame(const QRect &changed);
    void Animate();
    void RunLoop();
    // Ends the worker thread and waits for it; its end message is handled here.
    void StopThread();
    void Finish();

    QImage m_picture;
    QImage m_bgPicture;
    TBackgroundMode m_bgMode = bmTiled;
    bool m_autoSize = true;
    bool m_center = false;
    bool m_stretch = false;
    bool m_stretchFine = false;
    bool m_overDraw = true;
    std::atomic<int> m_style{51};
    std::atomic<int> m_step{4};
    std::atomic<int> m_delay{40};
    std::atomic<bool> m_reverse{false};
    bool m_manual = false;
    bool m_threaded = true;
    TThreadPriority m_threadPriority = tpNormal;
    QColor m_color;
    TAlign m_align = alNone;

    std::atomic<int> m_progress{0};
    std::atomic<bool> m_busy{false};
    bool m_stopping = false;
    bool m_painting = false;
    bool m_destroying = false;
    bool m_bgNeverPainted = true;
    quint64 m_generation = 0; // counts transitions, so a loop notices that its own one ended

    QImage m_backBuffer;  // client size; the whole control image, copied to the screen
    QImage m_frame;       // picture size; the current frame, then the shown picture
    QImage m_snapshot;    // picture size, while busy: the old screen image
    QImage m_newPicture;  // picture size, while busy: the picture coming in
    QRect m_lastUpdate;   // the previous frame's changed area

    // Both re-entrant, so a frame handler may set the progress or paint.
    QRecursiveMutex m_lock;               // progress changes and frame composition
    mutable QRecursiveMutex m_canvasLock; // the frame buffer and the new picture while drawn
                                          // into or painted
    ly::transitions::ManualResetEvent m_frameShown{true};
    TAnimateThread *m_thread = nullptr;
    QEventLoop *m_waitLoop = nullptr; // the non-threaded loop's wait between frames
};

// The transition control with its properties and events published.
class TPicTransition : public TCustomPicTransition
{
    Q_OBJECT

public:
    explicit TPicTransition(QWidget *parent = nullptr) : TCustomPicTransition(parent) {}

    using TCustomPicTransition::Picture;
    using TCustomPicTransition::SetPicture;
    using TCustomPicTransition::BgPicture;
    using TCustomPicTransition::SetBgPicture;
    using TCustomPicTransition::BgMode;
    using TCustomPicTransition::SetBgMode;
    using TCustomPicTransition::AutoSize;
    using TCustomPicTransition::SetAutoSize;
    using TCustomPicTransition::Center;
    using TCustomPicTransition::SetCenter;
    using TCustomPicTransition::Stretch;
    using TCustomPicTransition::SetStretch;
    using TCustomPicTransition::StretchFine;
    using TCustomPicTransition::SetStretchFine;
    using TCustomPicTransition::OverDraw;
    using TCustomPicTransition::SetOverDraw;
    using TCustomPicTransition::Style;
    using TCustomPicTransition::SetStyle;
    using TCustomPicTransition::StyleName;
    using TCustomPicTransition::SetStyleName;
    using TCustomPicTransition::Step;
    using TCustomPicTransition::SetStep;
    using TCustomPicTransition::Delay;
    using TCustomPicTransition::SetDelay;
    using TCustomPicTransition::Reverse;
    using TCustomPicTransition::SetReverse;
    using TCustomPicTransition::Manual;
    using TCustomPicTransition::SetManual;
    using TCustomPicTransition::Threaded;
    using TCustomPicTransition::SetThreaded;
    using TCustomPicTransition::ThreadPriority;
    using TCustomPicTransition::SetThreadPriority;
    using TCustomPicTransition::Color;
    using TCustomPicTransition::SetColor;
    using TCustomPicTransition::Align;
    using TCustomPicTransition::SetAlign;

    using TCustomPicTransition::OnChange;
    using TCustomPicTransition::OnStart;
    using TCustomPicTransition::OnBeforeNewFrame;
    using TCustomPicTransition::OnCustomDraw;
    using TCustomPicTransition::OnAfterNewFrame;
    using TCustomPicTransition::OnProgress;
    using TCustomPicTransition::OnComplete;
    using TCustomPicTransition::OnStop;
    using TCustomPicTransition::OnMouseEnter;
    using TCustomPicTransition::OnMouseLeave;
    using TCustomPicTransition::OnClick;
};
