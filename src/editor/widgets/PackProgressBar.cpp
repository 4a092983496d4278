#include "editor/widgets/PackProgressBar.h"

#include "card/Packer.h"

#include <algorithm>

namespace ly {

PackProgressBar::PackProgressBar(QWidget *parent)
    : QProgressBar(parent)
{
    setRange(0, 1);
    setValue(0);
}

void PackProgressBar::apply(QProgressBar *bar, const PackProgressEvent &notice)
{
    const int total = std::max(notice.total(), 1); // a range of 0..0 would show a busy bar
    bar->setMaximum(total);
    bar->setValue(std::clamp(notice.running(), 0, total));
}

bool PackProgressBar::event(QEvent *e)
{
    if (e->type() == WM_PACKPROGRESS) {
        apply(this, *static_cast<PackProgressEvent *>(e));
        return true;
    }
    return QProgressBar::event(e);
}

} // namespace ly
