#include "platform/widgets/HtmlHelp.h"

#include "platform/widgets/HelpViewer.h"
#include "shared/Error.h"
#include "shared/Paths.h"

#include <QApplication>
#include <QPointer>

namespace ly::platform {

namespace {

// Our help library: one help window for all topics.
class ViewerLibrary : public HelpLibrary
{
public:
    ~ViewerLibrary() override
    {
        // Without the application the window system is gone, and the window with it.
        if (QCoreApplication::instance())
            delete m_viewer;
    }

    HtmlHelpFunction function(const QByteArray &name) override
    {
        if (name != "HtmlHelpA")
            return {};
        return [this](QWidget *window, const QString &topic, unsigned command, quintptr data) {
            return call(window, topic, command, data);
        };
    }

private:
    quintptr call(QWidget *window, const QString &topic, unsigned command, quintptr data)
    {
        switch (command) {
        case HH_DISPLAY_TOPIC:
        case HH_DISPLAY_TOC:
            return show(window, command == HH_DISPLAY_TOC ? topicWithoutPage(topic) : topic);
        case HH_CLOSE_ALL:
            delete m_viewer;
            return 0;
        case HH_INITIALIZE:
            if (data)
                *reinterpret_cast<quintptr *>(data) = ++m_lastCookie;
            return 0;
        case HH_UNINITIALIZE:
            return 0;
        default:
            return 0;
        }
    }

    static QString topicWithoutPage(const QString &topic)
    {
        const qsizetype sep = topic.indexOf(QLatin1String("::"));
        return sep < 0 ? topic : topic.left(sep);
    }

    quintptr show(QWidget *window, const QString &topic)
    {
        if (topic.isEmpty())
            return 0;
        if (m_viewer && m_viewer->parentWidget() != window)
            delete m_viewer;
        if (!m_viewer)
            m_viewer = new HelpViewer(window);
        m_viewer->showPage(HelpTopicPage(topic));
        m_viewer->show();
        m_viewer->raise();
        m_viewer->activateWindow();
        return reinterpret_cast<quintptr>(m_viewer.data());
    }

    QPointer<HelpViewer> m_viewer;
    quintptr m_lastCookie = 0;
};

std::unique_ptr<HelpLibrary> loadViewerLibrary(const QString &)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    return std::make_unique<ViewerLibrary>();
}

HelpLibraryLoader g_loader;

// What ShowHtmlHelp keeps from its first use until CloseHtmlHelp.
struct LoadedHelp
{
    std::unique_ptr<HelpLibrary> library;
    HtmlHelpFunction htmlHelp;
    quintptr cookie = 0;
};

LoadedHelp &loaded()
{
    static LoadedHelp help;
    return help;
}

} // namespace

void SetHelpLibraryLoader(HelpLibraryLoader loader)
{
    g_loader = std::move(loader);
}

QUrl HelpTopicPage(const QString &topic)
{
    const qsizetype sep = topic.indexOf(QLatin1String("::"));
    QString set = sep < 0 ? topic : topic.left(sep);
    QString page = sep < 0 ? QString() : topic.mid(sep + 2);
    if (set.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive))
        set.chop(4);
    if (const qsizetype window = page.indexOf(QLatin1Char('>')); window >= 0)
        page.truncate(window);
    page.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (page.startsWith(QLatin1Char('/')))
        page.remove(0, 1);
    QString anchor;
    if (const qsizetype hash = page.indexOf(QLatin1Char('#')); hash >= 0) {
        anchor = page.mid(hash + 1);
        page.truncate(hash);
    }
    if (page.isEmpty())
        page = QStringLiteral("index.htm");
    QUrl url = QUrl::fromLocalFile(set + QLatin1Char('/') + page);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

} // namespace ly::platform

namespace ly {

quintptr ShowHtmlHelp(QWidget *window, const QString &topic, unsigned command, quintptr data)
{
    using namespace platform;
    LoadedHelp &help = loaded();
    if (!help.library) {
        const QString path = SystemDir() + QStringLiteral("/HHCTRL.OCX");
        std::unique_ptr<HelpLibrary> library = g_loader ? g_loader(path) : loadViewerLibrary(path);
        if (!library)
            throw Error(QStringLiteral("HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!"));
        HtmlHelpFunction htmlHelp = library->function("HtmlHelpA");
        if (!htmlHelp)
            throw Error(QStringLiteral("Function HTMLHELP cannot loaded!"));
        help.library = std::move(library);
        help.htmlHelp = std::move(htmlHelp);
        help.htmlHelp(nullptr, QString(), HH_INITIALIZE, reinterpret_cast<quintptr>(&help.cookie));
    }
    return help.htmlHelp(window, topic, command, data);
}

void CloseHtmlHelp()
{
    using namespace platform;
    LoadedHelp &help = loaded();
    if (!help.library)
        return;
    help.htmlHelp(nullptr, QString(), HH_UNINITIALIZE, help.cookie);
    help.htmlHelp = {};
    help.library.reset();
    help.cookie = 0;
}

} // namespace ly
