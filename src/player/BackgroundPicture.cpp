#include "player/BackgroundPicture.h"

#include "control/CaptionMotion.h"
#include "control/Gradient.h"
#include "shared/Paths.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>

namespace ly::player {

namespace {
using Kind = FrmBlkSection::Kind;
constexpr int kMaxSide = 16384;
} // namespace

BackgroundPicture::BackgroundPicture(const FrmBlkSection &section, const QString &projectFolder,
                                     quint32 seed)
    : m_section(section), m_random(seed)
{
    if (section.kind == Kind::Picture && !section.fillPicture.isEmpty()) {
        QImageReader reader(AddTrailingBackslash(projectFolder) + QStringLiteral("Res/")
                            + section.fillPicture);
        const QSize size = reader.size();
        if (!size.isValid() || (size.width() <= kMaxSide && size.height() <= kMaxSide))
            m_fill = reader.read();
    }
}

bool BackgroundPicture::hasCaptions() const
{
    return m_section.kind != Kind::None && m_section.text;
}

const QImage &BackgroundPicture::base(QSize size)
{
    if (m_base.size() == size)
        return m_base;
    if (m_section.kind == Kind::Gradient) {
        m_base = DrawGradient(size, m_section.colorFrom, m_section.colorTo,
                              TGradientFillType(m_section.shadeIndex));
    } else {
        m_base = QImage(size, QImage::Format_RGB32);
        m_base.fill(Qt::black);
        if (m_section.kind == Kind::Picture && !m_fill.isNull()) {
            QPainter p(&m_base);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(m_base.rect(), m_fill);
        }
    }
    return m_base;
}

QSize BackgroundPicture::textSize(int slot) const
{
    const CaptionSlot &s = m_section.slots[slot];
    const QFontMetrics metrics(s.font.toQFont());
    return QSize(metrics.horizontalAdvance(s.text), metrics.height());
}

void BackgroundPicture::advanceTo(qint64 ms, QSize area)
{
    const int mode = m_section.captionIndex;
    const CaptionSlot &slot = m_section.slots[FrmBlkSection::Caption];
    if (!hasCaptions() || !slot.used)
        return;
    const bool overPage = m_section.kind == Kind::Animation;
    const QSize size = caption::PanelSize(textSize(FrmBlkSection::Caption), overPage);
    if (m_area != area || m_nextTick < 0) {
        m_area = area;
        m_moving = caption::StartPosition(area, size);
        m_nextTick = caption::TickInterval(mode);
    }
    const auto random = [this](int n) { return int(m_random.bounded(n)); };
    while (m_nextTick > 0 && ms >= m_nextTick) {
        m_moving = caption::NextPosition(mode, m_moving, size.width(), area, random);
        m_nextTick += caption::TickInterval(mode);
    }
}

QRect BackgroundPicture::movingCaptionRect() const
{
    if (!hasCaptions() || !m_section.slots[FrmBlkSection::Caption].used)
        return QRect();
    const QSize size = caption::PanelSize(textSize(FrmBlkSection::Caption), true);
    return QRect(m_moving, size + QSize(caption::kShadowOffset.x(), caption::kShadowOffset.y()));
}

void BackgroundPicture::paintSlot(QPainter &painter, int slot, QPoint at) const
{
    const CaptionSlot &s = m_section.slots[slot];
    const QSize text = textSize(slot);
    const bool overPage = m_section.kind == Kind::Animation;
    if (overPage)
        painter.fillRect(QRect(at, caption::PanelSize(text, slot == FrmBlkSection::Caption)),
                         Qt::black);
    const QFontMetrics metrics(s.font.toQFont());
    const QPoint baseline = at + QPoint(0, metrics.ascent());
    if (s.shadow) {
        painter.setFont(s.shadowFont.toQFont());
        painter.setPen(ToQColor(s.shadowFont.Color));
        painter.drawText(baseline + caption::kShadowOffset, s.text);
    }
    painter.setFont(s.font.toQFont());
    painter.setPen(ToQColor(s.font.Color));
    painter.drawText(baseline, s.text);
}

void BackgroundPicture::paintCaptions(QPainter &painter, QSize area) const
{
    if (!hasCaptions())
        return;
    const auto &slots = m_section.slots;
    if (slots[FrmBlkSection::Top].used)
        paintSlot(painter, FrmBlkSection::Top, caption::TopPosition());
    if (slots[FrmBlkSection::Btm].used) {
        paintSlot(painter, FrmBlkSection::Btm,
                  caption::BottomPosition(area, textSize(FrmBlkSection::Btm).height()));
    }
    if (slots[FrmBlkSection::Caption].used)
        paintSlot(painter, FrmBlkSection::Caption, m_moving);
}

} // namespace ly::player
