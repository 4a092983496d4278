#include "shared/FitRect.h"

namespace ly {

QRect FitPictureRect(QSize picture, QSize panel)
{
    const qint64 pw = picture.width();
    const qint64 ph = picture.height();
    const qint64 w = panel.width();
    const qint64 h = panel.height();
    if (ph <= h && pw <= w)
        return QRect(int((w - pw) / 2), int((h - ph) / 2), int(pw), int(ph));
    if (ph * w / pw > h) {
        const qint64 width = pw * h / ph;
        return QRect(int((w - width) / 2), 0, int(width), int(h));
    }
    const qint64 height = ph * w / pw;
    return QRect(0, int((h - height) / 2), int(w), int(height));
}

} // namespace ly
