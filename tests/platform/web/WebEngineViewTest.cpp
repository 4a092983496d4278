#include "support/Sandbox.h"

#include "platform/WebView.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <memory>

// The web view over the real engine, loaded from its module as the programs load it (plain
// build: the engine cannot run under the sanitizers).
namespace {

using ly::platform::WebView;

// The engine's view behind a WebView.
QWebEngineView *engineView(WebView *view)
{
    return qobject_cast<QWebEngineView *>(view->widget());
}

constexpr int kLoadTimeoutMs = 30000;

class WebEngineViewTest : public lytest::SandboxTest
{
protected:
    WebEngineViewTest() { ly::platform::UseWebEngine(LYRABELL_WEBVIEW_MODULE); }
    ~WebEngineViewTest() override { ly::platform::SetWebViewFactory({}); }

    // A shown view of the preview's size from the installed factory.
    WebView *makeView()
    {
        m_host = std::make_unique<QWidget>();
        m_host->resize(470, 330);
        WebView *view = ly::platform::CreateWebView(m_host.get());
        if (!engineView(view))
            throw std::runtime_error("the module did not make an engine view");
        view->widget()->resize(470, 330);
        m_host->show();
        return view;
    }

    static bool load(WebView *view, const QString &page)
    {
        QSignalSpy loaded(engineView(view), &QWebEngineView::loadFinished);
        view->showPage(page);
        return loaded.wait(kLoadTimeoutMs) && loaded.first().first().toBool();
    }

    // Waits (bounded) until the page's title is the expected one.
    static QString waitForTitle(WebView *view, const QString &expected)
    {
        const QDeadlineTimer deadline(kLoadTimeoutMs);
        while (engineView(view)->title() != expected && !deadline.hasExpired())
            QTest::qWait(20);
        return engineView(view)->title();
    }

    // Waits (bounded) until the view shows more than one colour, the page's first frame.
    static QImage waitForPicture(WebView *view)
    {
        const QDeadlineTimer deadline(kLoadTimeoutMs);
        QImage shot;
        do {
            QTest::qWait(50);
            shot = view->widget()->grab().toImage();
        } while (!deadline.hasExpired() && colourCount(shot) < 2);
        return shot;
    }

    static int colourCount(const QImage &image)
    {
        QSet<QRgb> seen;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4)
                if (seen.size() < 2)
                    seen.insert(image.pixel(x, y));
        return int(seen.size());
    }

private:
    std::unique_ptr<QWidget> m_host;
};

TEST_F(WebEngineViewTest, EveryBackgroundAnimationMoves)
{
    const QDir pages(lytest::contentDir() + "BlkPages");
    const QStringList names = pages.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(names.size(), 13);
    WebView *view = makeView();
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        // Shown from a copy, as the editor shows an unpacked package from its temp folder.
        const QString page = sandbox.writeFile("http/" + name + "/index.htm",
                                               lytest::readFile(pages.filePath(name + "/index.htm")));
        ASSERT_TRUE(load(view, page));
        EXPECT_EQ(view->currentPage(), page);
        const QImage first = waitForPicture(view);
        ASSERT_GE(colourCount(first), 2) << "the page drew nothing";
        QImage second;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                second = view->widget()->grab().toImage();
                return second != first;
            },
            5000))
            << "the page does not move";
        const QString shots = qEnvironmentVariable("LYRABELL_WEB_SHOTS");
        if (!shots.isEmpty()) {
            first.save(shots + "/" + name + "-0.png");
            second.save(shots + "/" + name + "-1.png");
        }
    }
}

TEST_F(WebEngineViewTest, ThePageReadsOnlyItsOwnFolderAndReachesNoNetwork)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        ++connections;
        delete server.nextPendingConnection();
    });
    const QString net = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());

    const QByteArray png = QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==");
    sandbox.writeFile("Page/inside.png", png);
    sandbox.writeFile("Outside/outside.png", png);
    ASSERT_TRUE(QFile::link(sandbox.root() + "Outside/outside.png", sandbox.root() + "Page/link.png"));
    // Each probe reports "name=loaded" or "name=refused" into the title once all have answered.
    const QByteArray html = R"(<!DOCTYPE html><html><head><title>waiting</title></head><body><script>
const results = {}, names = ["inside", "parent", "link", "absolute", "net", "netScript", "socket"];
function report(name, ok) {
  results[name] = ok ? "loaded" : "refused";
  if (Object.keys(results).length === names.length)
    document.title = names.map(n => n + "=" + results[n]).join(" ") + " window=" + (window.open("inside.png") === null ? "refused" : "opened");
}
function probe(name, url) {
  const img = new Image();
  img.onload = () => report(name, true);
  img.onerror = () => report(name, false);
  img.src = url;
}
probe("inside", "inside.png");
probe("parent", "../Outside/outside.png");
probe("link", "link.png");
probe("absolute", ")" + QUrl::fromLocalFile(sandbox.root() + "Outside/outside.png").toEncoded() + R"(");
probe("net", "NET" + "picture.png");
fetch("NET" + "data").then(() => report("netScript", true), () => report("netScript", false));
const socket = new WebSocket("NET".replace("http:", "ws:") + "socket");
socket.onopen = () => report("socket", true);
socket.onerror = () => report("socket", false);
</script></body></html>)";
    QByteArray page = html;
    page.replace("NET", net.toUtf8());
    const QString file = sandbox.writeFile("Page/index.htm", page);

    WebView *view = makeView();
    ASSERT_TRUE(load(view, file));
    const QString expected = "inside=loaded parent=refused link=refused absolute=refused "
                             "net=refused netScript=refused socket=refused window=refused";
    EXPECT_EQ(waitForTitle(view, expected), expected);

    // Navigating away to the network is refused too: the page stays where it is.
    engineView(view)->page()->runJavaScript(QStringLiteral("location.href = '%1';").arg(net));
    QTest::qWait(1000);
    EXPECT_EQ(connections, 0);
    EXPECT_EQ(engineView(view)->url(), QUrl::fromLocalFile(file));
}

TEST_F(WebEngineViewTest, ClicksReachThePage)
{
    const QString file = sandbox.writeFile("Page/index.htm", R"(<!DOCTYPE html><html>
<head><title>none</title><style>html,body{margin:0;height:100%}</style></head>
<body><p>Click here</p><script>
addEventListener("mousedown", e => { document.title = "down " + e.clientX + " " + e.clientY; });
addEventListener("click", e => { document.title += " click " + e.button; });
</script></body></html>)");
    WebView *view = makeView();
    ASSERT_TRUE(load(view, file));
    waitForPicture(view);
    view->click(QPoint(40, 30));
    const QString expected = "down 40 30 click 0";
    EXPECT_EQ(waitForTitle(view, expected), expected);
}

TEST_F(WebEngineViewTest, EachViewHasItsOwnOffTheRecordProfile)
{
    QWebEngineView *first = engineView(makeView());
    QWebEngineView *second = engineView(ly::platform::CreateWebView(first));
    ASSERT_NE(second, nullptr);
    QWebEngineProfile *profile = first->page()->profile();
    EXPECT_TRUE(profile->isOffTheRecord());
    EXPECT_TRUE(second->page()->profile()->isOffTheRecord());
    EXPECT_NE(profile, second->page()->profile());
    EXPECT_NE(profile, QWebEngineProfile::defaultProfile());
    EXPECT_EQ(first->contextMenuPolicy(), Qt::NoContextMenu);
}

} // namespace
