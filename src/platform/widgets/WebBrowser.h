#pragma once

#include <QString>
#include <QWidget>

class QPoint;

namespace ly::platform {

class WebView;

// The browser control that windows place: cheap to create, it starts the web view (and with
// it the web engine) only when it is first shown, so a window that keeps it hidden, or a
// program start, never waits for the engine. Pages given before that are shown then. Without
// a web engine in the program it says so in its area.
class WebBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit WebBrowser(QWidget *parent = nullptr);

    // Shows the local page file (now, or when the view starts).
    void navigate(const QString &pageFile);
    QString currentPage() const { return m_page; }
    // Clicks the page at pos; nothing while the view has not started.
    void click(const QPoint &pos);
    // The view, once started; nullptr before.
    WebView *view() const { return m_view; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void startView();

    WebView *m_view = nullptr;
    QString m_page;
    QString m_failure;
};

} // namespace ly::platform
