#include "platform/widgets/HelpViewer.h"

#include "platform/Shell.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace ly::platform {

namespace {

const QString kWindowTitle = QStringLiteral("Lyrabell Help");

QString missingPage(const QString &file)
{
    return QStringLiteral("<html><head><title>Page not found</title></head><body>"
                          "<h2>Page not found</h2><p>The help page <b>%1</b> is not there.</p>"
                          "</body></html>")
        .arg(file.toHtmlEscaped());
}

} // namespace

HelpViewer::HelpViewer(QWidget *owner)
    : QWidget(owner, Qt::Window)
    , m_browser(new QTextBrowser(this))
    , m_back(new QToolButton(this))
    , m_forward(new QToolButton(this))
    , m_contents(new QToolButton(this))
{
    setWindowTitle(kWindowTitle);
    resize(720, 560);

    m_back->setText(QStringLiteral("Back"));
    m_forward->setText(QStringLiteral("Forward"));
    m_contents->setText(QStringLiteral("Contents"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    m_browser->setOpenLinks(false);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_contents);
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_browser);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QToolButton::clicked, this, &HelpViewer::BtnContentsClick);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::BrowserAnchorClicked);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::BrowserSourceChanged);
}

void HelpViewer::showPage(const QUrl &page)
{
    const QString file = page.toLocalFile();
    if (QFileInfo(file).isFile()) {
        m_browser->setSource(page);
    } else {
        m_browser->setHtml(missingPage(file));
        BrowserSourceChanged(QUrl());
    }
    m_page = page;
}

QUrl HelpViewer::currentPage() const
{
    return m_page;
}

QString HelpViewer::pageTitle() const
{
    return m_browser->documentTitle();
}

void HelpViewer::BrowserAnchorClicked(const QUrl &link)
{
    const QUrl target = m_page.resolved(link);
    if (target.isLocalFile() || target.scheme().isEmpty())
        showPage(target);
    else
        ShellOpen(link.toString());
}

void HelpViewer::BtnContentsClick()
{
    if (!m_page.isLocalFile())
        return;
    showPage(QUrl::fromLocalFile(QFileInfo(m_page.toLocalFile()).absolutePath()
                                 + QStringLiteral("/index.htm")));
}

void HelpViewer::BrowserSourceChanged(const QUrl &source)
{
    if (source.isValid())
        m_page = source;
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? kWindowTitle : kWindowTitle + QStringLiteral(" - ") + title);
}

} // namespace ly::platform
