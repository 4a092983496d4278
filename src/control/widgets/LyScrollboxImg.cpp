#include "control/widgets/LyScrollboxImg.h"

#include "control/widgets/LyImagePanel.h"
#include "control/widgets/NewPanel.h"
#include "shared/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <future>

using ly::THUMB_COLUMN_PITCH;
using ly::THUMB_SHADOW_OFFSET;

// ---- Progress message ----------------------------------------------------------------------

TlyScrollboxImg::ProgressEvent::ProgressEvent(int wParam, int lParam)
    : QEvent(ly::WM_THUMBPROGRESS), m_wParam(wParam), m_lParam(lParam)
{
}

// ---- Loader --------------------------------------------------------------------------------

TlyScrollboxImg::TMyThread::TMyThread(TlyScrollboxImg *browser, QStringList files,
                                      ly::ThumbLabels labels,
                                      std::shared_ptr<std::atomic<bool>> stop)
    : m_browser(browser), m_files(std::move(files)), m_labels(std::move(labels)),
      m_stop(std::move(stop))
{
    ++s_loaderThreads;
}

TlyScrollboxImg::TMyThread::~TMyThread()
{
    Abandon();
    wait();
    --s_loaderThreads;
}

void TlyScrollboxImg::TMyThread::Abandon()
{
    m_stop->store(true);
    QMutexLocker lock(&m_mutex);
    m_abandoned = true;
    m_stepDone.wakeAll();
}

bool TlyScrollboxImg::TMyThread::RunOnUiThread(std::function<void()> step)
{
    QMutexLocker lock(&m_mutex);
    if (m_abandoned)
        return false;
    m_done = false;
    // The step runs in this object's thread, the user-interface thread. A step that has begun
    // is always waited for, even when it abandons the loader itself (through a handler of the
    // progress event), because it may still use what the loader handed to it.
    QMetaObject::invokeMethod(
        this,
        [this, step = std::move(step)] {
            {
                QMutexLocker stepLock(&m_mutex);
                if (m_abandoned)
                    return;
                m_stepRunning = true;
            }
            step();
            QMutexLocker stepLock(&m_mutex);
            m_stepRunning = false;
            m_done = true;
            m_stepDone.wakeAll();
        },
        Qt::QueuedConnection);
    while (!m_done && !(m_abandoned && !m_stepRunning))
        m_stepDone.wait(&m_mutex);
    return m_done;
}

void TlyScrollboxImg::TMyThread::run()
{
    const int count = int(m_files.size());
    // The next picture is read while the current tile is placed and during the pause, so
    // the pause costs no reading time. Once stopped, nothing more is read: the tile in
    // progress is only announced.
    const auto readAhead = [this](int i) {
        return std::async(std::launch::async, &ly::PrepareThumb, m_files[i], m_labels,
                          ly::THUMB_FRAME_SIZE);
    };
    std::future<ly::PreparedThumb> next;
    if (count > 0)
        next = readAhead(0);
    for (int i = 0; i < count; ++i) {
        const ly::PreparedThumb prepared = next.valid() ? next.get() : ly::PreparedThumb{};
        if (i + 1 < count && !m_stop->load())
            next = readAhead(i + 1);
        if (!RunOnUiThread([this, i, count, prepared] { m_browser->CreateTile(i, count, prepared); }))
            return;
        if (m_stop->load()) {
            RunOnUiThread([this] { m_browser->SendProgress(0, 0); });
            return;
        }
        msleep(10);
    }
    if (count > 0)
        RunOnUiThread([this] { m_browser->LoadFinished(); });
}

// ---- Browser -------------------------------------------------------------------------------

TlyScrollboxImg::TlyScrollboxImg(QWidget *parent)
    : QScrollArea(parent),
      m_content(new QWidget),
      m_stop(std::make_shared<std::atomic<bool>>(false))
{
    setWidget(m_content);
    setWidgetResizable(false);
    m_content->installEventFilter(this);
    UpdateContentSize();
}

std::atomic<int> TlyScrollboxImg::s_loaderThreads{0};

TlyScrollboxImg::~TlyScrollboxImg()
{
    if (m_loader)
        m_retired.append(m_loader);
    for (TMyThread *loader : std::as_const(m_retired))
        loader->Abandon();
    qDeleteAll(m_retired); // each waits for its thread
}

TLyImagePanel *TlyScrollboxImg::Tile(int index) const
{
    return index >= 0 && index < m_tiles.size() ? m_tiles[index] : nullptr;
}

QWidget *TlyScrollboxImg::Shadow(int index) const
{
    return index >= 0 && index < m_shadows.size() ? m_shadows[index] : nullptr;
}

void TlyScrollboxImg::SetPictureTypes(bool gif, bool jpg, bool jpeg, bool bmp, bool ico,
                                      bool emf, bool wmf)
{
    m_types = {gif, jpg, jpeg, bmp, ico, emf, wmf};
}

void TlyScrollboxImg::StopLoading()
{
    m_stop->store(true);
}

void TlyScrollboxImg::setLyImgPath(const QString &folder)
{
    if (folder == m_imgPath)
        return;
    m_imgPath = folder;
    if (!QDir::isAbsolutePath(folder))
        return;

    // A loader still at work stops before its tiles go, and never touches the new ones.
    RetireLoader();
    FreeTiles();
    m_files = ly::ListPictureFolder(folder, m_types);
    const int count = int(m_files.size());
    m_columns = ly::ThumbColumns(width());
    m_extent = ly::ThumbExtent(count, m_columns);
    UpdateContentSize();

    m_createdCount = 0;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    m_layoutReady = false;
    m_selectionReady = false;
    if (count == 0)
        return;
    m_tiles.reserve(count);
    m_shadows.reserve(count);
    m_loader = new TMyThread(this, m_files, ly::ReadThumbLabels(), m_stop);
    TMyThread *loader = m_loader;
    connect(loader, &QThread::finished, this, [this, loader] {
        if (m_loader == loader)
            m_loader = nullptr;
        m_retired.removeOne(loader);
        delete loader;
    });
    loader->start();
}

void TlyScrollboxImg::RetireLoader()
{
    if (!m_loader)
        return;
    m_loader->Abandon();
    m_retired.append(m_loader);
    m_loader = nullptr;
}

void TlyScrollboxImg::FreeTiles()
{
    m_extent = 0;
    m_layoutReady = false;
    qDeleteAll(m_tiles);
    qDeleteAll(m_shadows);
    m_tiles.clear();
    m_shadows.clear();
    m_layoutReady = true;
}

void TlyScrollboxImg::SendProgress(int progress, int maxValue)
{
    ProgressEvent message(progress, maxValue);
    QCoreApplication::sendEvent(this, &message);
}

void TlyScrollboxImg::CreateTile(int index, int count, const ly::PreparedThumb &prepared)
{
    const auto stop = m_stop; // a progress handler may start another folder
    SendProgress(index + 1, count);
    if (stop->load())
        return;

    auto *shadow = new QWidget(m_content);
    shadow->setAutoFillBackground(true);
    QPalette palette = shadow->palette();
    palette.setColor(QPalette::Window, SHADOW_COLOR);
    shadow->setPalette(palette);
    auto *tile = new TLyImagePanel(m_content);
    tile->setObjectName(QStringLiteral("lyMyImg_") + QString::number(index));
    connect(tile, &TLyImagePanel::OnImgClick, this, [this, tile] { TileClick(tile); });
    m_shadows.append(shadow);
    m_tiles.append(tile);
    const QPoint pos = ly::ThumbShadowPos(index, m_columns, m_horz);
    shadow->setGeometry(QRect(pos, QSize(ly::THUMB_TILE_WIDTH, ly::THUMB_TILE_HEIGHT)));
    tile->move(pos - QPoint(THUMB_SHADOW_OFFSET, THUMB_SHADOW_OFFSET));
    shadow->show();
    tile->show();
    tile->raise();

    tile->setPreparedImage(prepared);
    m_content->update();
    ++m_createdCount;
}

void TlyScrollboxImg::LoadFinished()
{
    m_layoutReady = true;
    m_stop->store(true);
    m_selectionReady = true;
    LayoutTiles();
}

void TlyScrollboxImg::LayoutTiles()
{
    m_layoutSize = size();
    if (!m_layoutReady || !m_stop->load() || m_files.isEmpty())
        return;
    ResetScroll();
    m_columns = ly::ThumbColumns(width());
    m_extent = ly::ThumbExtent(int(m_files.size()), m_columns);
    PlaceTiles();
    UpdateContentSize();
}

void TlyScrollboxImg::PlaceTiles()
{
    for (int i = 0; i < m_tiles.size(); ++i) {
        const QPoint pos = ly::ThumbShadowPos(i, m_columns, m_horz);
        m_shadows[i]->move(pos);
        m_tiles[i]->move(pos - QPoint(THUMB_SHADOW_OFFSET, THUMB_SHADOW_OFFSET));
    }
}

void TlyScrollboxImg::UpdateContentSize()
{
    const int count = int(m_files.size());
    const QSize view = viewport()->size();
    const int columns = m_horz ? count : std::min(count, m_columns);
    const int width = columns > 0 ? (columns - 1) * THUMB_COLUMN_PITCH + ly::THUMB_TILE_WIDTH +
                                        2 * THUMB_SHADOW_OFFSET
                                  : 0;
    const int height = m_horz ? (count > 0 ? ly::THUMB_ROW_PITCH : 0) : m_extent;
    m_content->resize(std::max(view.width(), width), std::max(view.height(), height));
}

void TlyScrollboxImg::ResetScroll()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    m_wheelPos = 0;
}

void TlyScrollboxImg::setLyHorzFlag(bool oneRow)
{
    if (oneRow == m_horz)
        return;
    // The tiles shown so far move into the new arrangement; a running loader places the
    // rest there too.
    m_horz = oneRow;
    ResetScroll();
    m_columns = ly::ThumbColumns(width());
    m_extent = ly::ThumbExtent(int(m_files.size()), m_columns);
    PlaceTiles();
    UpdateContentSize();
}

void TlyScrollboxImg::Select(int index)
{
    if (!m_selectionReady)
        return;
    for (int i = 0; i < m_shadows.size(); ++i) {
        QPalette palette = m_shadows[i]->palette();
        palette.setColor(QPalette::Window, i == index ? SELECTED_SHADOW_COLOR : SHADOW_COLOR);
        m_shadows[i]->setPalette(palette);
    }
}

void TlyScrollboxImg::TileClick(TLyImagePanel *tile)
{
    const QString name = tile->objectName();
    Select(name.mid(name.indexOf(QLatin1Char('_')) + 1).toInt());
    m_clickedPath = tile->lyImageFile();
    const ly::ThumbDetails &d = tile->details();
    Q_EMIT OnlyImgClick(m_clickedPath, d.fileName, d.sizeText, d.pixText, d.typeText,
                        d.dateText);
}

QScrollBar *TlyScrollboxImg::WheelBar() const
{
    return m_horz ? horizontalScrollBar() : verticalScrollBar();
}

int TlyScrollboxImg::WheelLimit() const
{
    return m_horz ? int(m_files.size()) * THUMB_COLUMN_PITCH : m_extent;
}

void TlyScrollboxImg::WheelDown()
{
    if (m_wheelPos < WheelLimit()) {
        m_wheelPos += ly::THUMB_WHEEL_STEP;
        WheelBar()->setValue(m_wheelPos);
    }
}

void TlyScrollboxImg::WheelUp()
{
    if (m_wheelPos > 0) {
        m_wheelPos -= ly::THUMB_WHEEL_STEP;
        WheelBar()->setValue(m_wheelPos);
    }
}

bool TlyScrollboxImg::event(QEvent *event)
{
    if (event->type() == ly::WM_THUMBPROGRESS) {
        const auto *message = static_cast<ProgressEvent *>(event);
        Q_EMIT OnlyProgress(message->wParam(), message->lParam());
        return true;
    }
    return QScrollArea::event(event);
}

bool TlyScrollboxImg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_content) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            m_emptyLeftDown = mouse->button() == Qt::LeftButton;
            if (IsClickPress(mouse))
                Q_EMIT OnClick();
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const bool click =
                IsClickRelease(static_cast<QMouseEvent *>(event), m_content, m_emptyLeftDown);
            m_emptyLeftDown = false;
            if (click)
                Q_EMIT OnClick();
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void TlyScrollboxImg::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    // Only a new size of the browser lays the tiles out again, not a scroll bar coming or
    // going inside it.
    if (size() != m_layoutSize)
        LayoutTiles();
    UpdateContentSize();
}

void TlyScrollboxImg::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const int steps = delta.y() != 0 ? delta.y() : delta.x();
    if (steps < 0)
        WheelDown();
    else if (steps > 0)
        WheelUp();
    event->accept();
}
