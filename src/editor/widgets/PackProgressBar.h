#pragma once

#include <QProgressBar>

namespace ly {

class PackProgressEvent;

// A progress bar that follows WM_PACKPROGRESS notices: maximum = total, position = running
// number, held within the maximum (the packer counts skipped entries too, so the running
// number can pass the total). Set it, or a window that passes the notices on through
// apply(), as ProgressWindow.
class PackProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    explicit PackProgressBar(QWidget *parent = nullptr);

    static void apply(QProgressBar *bar, const PackProgressEvent &notice);

protected:
    bool event(QEvent *e) override;
};

} // namespace ly
