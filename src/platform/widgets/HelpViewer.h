#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace ly::platform {

// The help window: one page of a help set at a time, with back, forward and the set's
// contents page ("index.htm" in the set's folder). Links to other pages of the set stay in
// the window; web and mail addresses go to the shell.
class HelpViewer : public QWidget
{
    Q_OBJECT
public:
    explicit HelpViewer(QWidget *owner = nullptr);

    // Shows the page (a local file, with an optional #anchor); a missing page says so in
    // the window.
    void showPage(const QUrl &page);
    QUrl currentPage() const;
    QString pageTitle() const;

private:
    void BrowserAnchorClicked(const QUrl &link);
    void BtnContentsClick();
    void BrowserSourceChanged(const QUrl &source);

    QTextBrowser *m_browser;
    QToolButton *m_back;
    QToolButton *m_forward;
    QToolButton *m_contents;
    QUrl m_page;
};

} // namespace ly::platform
