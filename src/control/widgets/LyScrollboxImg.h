#pragma once

#include "control/Thumbnail.h"

#include <QEvent>
#include <QList>
#include <QMutex>
#include <QScrollArea>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <memory>

class TLyImagePanel;

// A scroll box that shows every picture of one folder as a thumbnail tile. Setting lyImgPath
// lists the folder and starts a loader thread, which reads each picture straight to
// thumbnail size and has the tiles placed on this thread one by one, in list order, with a
// progress event per tile (OnlyProgress; the window message WM_THUMBPROGRESS). A click on a
// tile highlights it and reports the picture with its texts (OnlyImgClick); a click on the
// empty area, or a right-button press on it, is the browser's own OnClick.
class TlyScrollboxImg : public QScrollArea
{
    Q_OBJECT

public:
    class TMyThread;

    // The progress message, sent (not posted) to the browser: wParam is the tile number
    // counting from 1, lParam the number of pictures; (0, 0) when loading was stopped.
    class ProgressEvent : public QEvent
    {
    public:
        ProgressEvent(int wParam, int lParam);
        int wParam() const { return m_wParam; }
        int lParam() const { return m_lParam; }

    private:
        int m_wParam;
        int m_lParam;
    };

    explicit TlyScrollboxImg(QWidget *parent = nullptr);
    ~TlyScrollboxImg() override;

    QString lyImgPath() const { return m_imgPath; }
    void setLyImgPath(const QString &folder);
    bool lyHorzFlag() const { return m_horz; }
    void setLyHorzFlag(bool oneRow);

    // Asks the running loader to stop after the tile it is creating.
    void StopLoading();
    // Enables exactly the given extensions, in the order gif, jpg, jpeg, bmp, ico, emf, wmf.
    void SetPictureTypes(bool gif, bool jpg, bool jpeg, bool bmp, bool ico, bool emf, bool wmf);
    void SetPictureTypes(const ly::PictureTypes &types) { m_types = types; }
    // The number of pictures of the current folder.
    int PictureCount() const { return int(m_files.size()); }
    // Highlights the tile with that index (its shadow turns black), or none for -1; only once
    // loading has finished.
    void Select(int index);
    // Scroll by one wheel step.
    void WheelDown();
    void WheelUp();

    // State, for owners and tests.
    const QStringList &Files() const { return m_files; }
    int ContentExtent() const { return m_extent; }
    int WheelPosition() const { return m_wheelPos; }
    QString ClickedPath() const { return m_clickedPath; }
    int CreatedCount() const { return m_createdCount; }
    bool StopFlag() const { return m_stop->load(); }
    // The loader threads of all browsers that still exist, running or finishing; none means
    // that no tile or progress can come any more.
    static int LoaderThreads() { return s_loaderThreads.load(); }
    TLyImagePanel *Tile(int index) const;
    QWidget *Shadow(int index) const;

    static constexpr QColor SHADOW_COLOR{180, 180, 182};
    static constexpr QColor SELECTED_SHADOW_COLOR{0, 0, 0};

Q_SIGNALS:
    void OnlyImgClick(const QString &MyFile, const QString &GetFileName,
                      const QString &GetFileSize, const QString &GetFilePix,
                      const QString &GetFileStyle, const QString &GetFileDateTime);
    void OnlyProgress(int Progress, int MaxValue);
    void OnClick();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    friend class TMyThread;

    // Steps the loader has run on this thread.
    void CreateTile(int index, int count, const ly::PreparedThumb &prepared);
    void SendProgress(int progress, int maxValue);
    void LoadFinished();

    void FreeTiles();
    void RetireLoader();
    void LayoutTiles();
    void PlaceTiles();
    void UpdateContentSize();
    void ResetScroll();
    void TileClick(TLyImagePanel *tile);
    QScrollBar *WheelBar() const;
    int WheelLimit() const;

    QWidget *m_content;
    QString m_imgPath;
    bool m_horz = false;
    ly::PictureTypes m_types = ly::ALL_PICTURE_TYPES;
    QStringList m_files;
    int m_columns = 1;
    int m_extent = 0;
    int m_wheelPos = 0;
    QString m_clickedPath;
    QSize m_layoutSize;          // the browser's size at the last layout
    bool m_emptyLeftDown = false; // a left press on the empty area, waiting for its release

    // Loading state. The stop flag is shared with the loader; each load has its own, so a
    // loader that was replaced stays stopped.
    std::shared_ptr<std::atomic<bool>> m_stop;
    bool m_layoutReady = false;
    bool m_selectionReady = false;
    int m_createdCount = 0;
    QList<TLyImagePanel *> m_tiles;
    QList<QWidget *> m_shadows;
    TMyThread *m_loader = nullptr;
    QList<TMyThread *> m_retired; // replaced loaders still finishing their current picture
    static std::atomic<int> s_loaderThreads;
};

// The loader: reads the pictures of the list one after another and has the browser create
// each tile on the user-interface thread, waiting until that is done; checks the stop flag
// after every tile and pauses 10 ms between tiles. It never touches a widget itself.
class TlyScrollboxImg::TMyThread : public QThread
{
    Q_OBJECT

public:
    TMyThread(TlyScrollboxImg *browser, QStringList files, ly::ThumbLabels labels,
              std::shared_ptr<std::atomic<bool>> stop);
    ~TMyThread() override;

    // Detaches the loader from the browser: it stops, and no step of it runs on the
    // user-interface thread any more. Call on the user-interface thread.
    void Abandon();

protected:
    void run() override;

private:
    // Runs a step on the user-interface thread and waits for it. False when the loader was
    // abandoned before the step ran.
    bool RunOnUiThread(std::function<void()> step);

    TlyScrollboxImg *m_browser;
    const QStringList m_files;
    const ly::ThumbLabels m_labels;
    std::shared_ptr<std::atomic<bool>> m_stop;

    QMutex m_mutex;
    QWaitCondition m_stepDone;
    bool m_abandoned = false;
    bool m_stepRunning = false;
    bool m_done = false;
};
