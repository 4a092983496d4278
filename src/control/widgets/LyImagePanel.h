#pragma once

#include "control/Thumbnail.h"

#include <QWidget>

class TNewImage;
class TNewPanel;

// One thumbnail tile, 100 x 120: a body with a picture frame and the picture, over a caption
// bar with the file name in the colour of its type. The body turns steel blue under the
// mouse. A click with either button anywhere on a loaded tile is a click on its picture
// (OnImgClick). A tile reads its picture once and keeps only the thumbnail.
class TLyImagePanel : public QWidget
{
    Q_OBJECT

public:
    explicit TLyImagePanel(QWidget *parent = nullptr);
    ~TLyImagePanel() override;

    QString lyImageFile() const { return m_file; }
    // A different path loads that picture (on this thread); an empty one clears the picture.
    void setLyImageFile(const QString &file);
    // The same, with the picture and texts already read (by the browser's loader).
    void setPreparedImage(const ly::PreparedThumb &prepared);

    // The tile's six-line hint (CR LF line ends) and whether it is shown.
    QString Hint() const { return m_hint; }
    void setHint(const QString &hint);
    bool ShowHint() const { return m_showHint; }
    void setShowHint(bool show);

    bool isLoaded() const { return m_loaded; }
    const ly::ThumbDetails &details() const { return m_details; }

    // The parts, for the owner and for tests.
    TNewPanel *captionBar() const { return m_caption; }
    TNewPanel *body() const { return m_body; }
    TNewPanel *pictureFrame() const { return m_frame; }
    TNewImage *picture() const { return m_image; }

    static constexpr QColor BODY_COLOR{240, 240, 240};  // clBtnFace
    static constexpr QColor HOVER_COLOR{58, 110, 165};  // steel blue

Q_SIGNALS:
    void OnImgClick();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void PanelClick();
    void LayoutParts();
    bool AlreadyShows(const QString &file) const;
    void ShowPrepared(const ly::PreparedThumb &prepared);
    void ClearPicture();

    TNewPanel *m_caption;
    TNewPanel *m_body;
    TNewPanel *m_frame;
    TNewImage *m_image;
    QString m_file;
    QString m_hint;
    bool m_showHint = true;
    bool m_loaded = false;
    ly::ThumbDetails m_details;
};
