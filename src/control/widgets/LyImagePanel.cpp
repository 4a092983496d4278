#include "control/widgets/LyImagePanel.h"

#include "control/widgets/NewImage.h"
#include "control/widgets/NewPanel.h"

#include <QFileInfo>
#include <QPixmap>

namespace {
constexpr int CaptionHeight = 20;
constexpr int FrameMargin = 5;
} // namespace

TLyImagePanel::TLyImagePanel(QWidget *parent)
    : QWidget(parent),
      m_caption(new TNewPanel(this)),
      m_body(new TNewPanel(this)),
      m_frame(new TNewPanel(m_body)),
      m_image(new TNewImage(m_frame))
{
    m_caption->setBevels(TNewPanel::Bevel::None, TNewPanel::Bevel::Lowered);
    m_caption->setColor(ly::THUMB_CAPTION_DEFAULT);
    m_body->setBevels(TNewPanel::Bevel::Raised, TNewPanel::Bevel::None);
    m_body->setColor(BODY_COLOR);
    m_frame->setBevels(TNewPanel::Bevel::None, TNewPanel::Bevel::Lowered);
    m_frame->setColor(BODY_COLOR);
    m_image->setCursor(Qt::PointingHandCursor);
    m_image->hide();
    resize(ly::THUMB_TILE_WIDTH, ly::THUMB_TILE_HEIGHT);
    LayoutParts(); // a hidden widget gets its resize event only when shown

    connect(m_image, &TNewImage::OnClick, this, &TLyImagePanel::OnImgClick);
    connect(m_caption, &TNewPanel::OnClick, this, &TLyImagePanel::PanelClick);
    connect(m_body, &TNewPanel::OnClick, this, &TLyImagePanel::PanelClick);
    connect(m_frame, &TNewPanel::OnClick, this, &TLyImagePanel::PanelClick);
}

TLyImagePanel::~TLyImagePanel() = default;

void TLyImagePanel::PanelClick()
{
    if (m_loaded)
        Q_EMIT OnImgClick();
}

void TLyImagePanel::resizeEvent(QResizeEvent *)
{
    LayoutParts();
}

void TLyImagePanel::LayoutParts()
{
    const int bodyHeight = std::max(0, height() - CaptionHeight);
    m_caption->setGeometry(0, bodyHeight, width(), std::min(height(), CaptionHeight));
    m_body->setGeometry(0, 0, width(), bodyHeight);
    m_frame->setGeometry(FrameMargin, FrameMargin, std::max(0, width() - 2 * FrameMargin),
                         std::max(0, bodyHeight - 2 * FrameMargin));
    // The picture is read once, for the frame it first had; a new frame size re-centres it.
    if (m_loaded) {
        const QRect fit = ly::FitInFrame(m_image->picture().size(), m_frame->size());
        m_image->setGeometry(fit);
    }
}

void TLyImagePanel::enterEvent(QEnterEvent *)
{
    m_body->setColor(HOVER_COLOR);
}

void TLyImagePanel::leaveEvent(QEvent *)
{
    m_body->setColor(BODY_COLOR);
}

void TLyImagePanel::setHint(const QString &hint)
{
    m_hint = hint;
    setShowHint(m_showHint);
}

void TLyImagePanel::setShowHint(bool show)
{
    m_showHint = show;
    QString tip = show ? m_hint : QString();
    setToolTip(tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

bool TLyImagePanel::AlreadyShows(const QString &file) const
{
    return m_caption->caption() == QFileInfo(file).fileName();
}

void TLyImagePanel::setLyImageFile(const QString &file)
{
    if (file.isEmpty()) {
        ClearPicture();
        m_file.clear();
        return;
    }
    if (AlreadyShows(file) || !QFileInfo(file).isFile())
        return;
    ShowPrepared(ly::PrepareThumb(file, ly::ReadThumbLabels(), m_frame->size()));
}

void TLyImagePanel::setPreparedImage(const ly::PreparedThumb &prepared)
{
    if (prepared.file.isEmpty()) {
        setLyImageFile(QString());
        return;
    }
    if (AlreadyShows(prepared.file) || !prepared.exists)
        return;
    ShowPrepared(prepared);
}

void TLyImagePanel::ClearPicture()
{
    m_image->setPicture(QPixmap());
    m_image->hide();
    m_loaded = false;
}

void TLyImagePanel::ShowPrepared(const ly::PreparedThumb &prepared)
{
    ClearPicture();
    m_file = prepared.file;
    m_caption->setCaption(QFileInfo(prepared.file).fileName());
    if (prepared.picture.image.isNull())
        return; // an unreadable picture keeps only its caption
    m_details = prepared.details;
    setHint(prepared.hint);
    const QPixmap pixmap = QPixmap::fromImage(prepared.picture.image);
    m_image->setPicture(pixmap);
    m_image->setGeometry(ly::FitInFrame(pixmap.size(), m_frame->size()));
    m_image->show();
    m_loaded = true;
    m_caption->setColor(ly::CaptionColorOf(prepared.file));
}
