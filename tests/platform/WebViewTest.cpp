#include "support/FakeWebView.h"
#include "support/Sandbox.h"

#include "platform/WebView.h"
#include "platform/widgets/WebBrowser.h"
#include "shared/Error.h"

#include <QDir>
#include <QFile>
#include <QUrl>

namespace {

using ly::platform::IsWebRequestAllowed;

class WebRequestPolicyTest : public lytest::SandboxTest
{
protected:
    WebRequestPolicyTest()
    {
        page = sandbox.writeFile("Page/index.htm", "<p>page</p>");
        sandbox.writeFile("Page/picture.png", "png");
        sandbox.writeFile("Page/sub/more.png", "png");
        sandbox.writeFile("Outside/secret.txt", "secret");
        sandbox.writeFile("PageTwin/index.htm", "<p>a folder whose name starts like the page's</p>");
        folder = sandbox.root() + "Page";
    }

    QUrl file(const QString &relative) const { return QUrl::fromLocalFile(sandbox.root() + relative); }

    QString page;
    QString folder;
};

TEST_F(WebRequestPolicyTest, OnlyTheFilesOfThePageFolderAndInlineDataLoad)
{
    const struct
    {
        QUrl url;
        bool allowed;
    } cases[] = {
        {file("Page/index.htm"), true},
        {file("Page/picture.png"), true},
        {file("Page/sub/more.png"), true},
        {file("Page/missing.png"), true}, // inside: the engine reports it missing
        {file("Outside/secret.txt"), false},
        {file("Page/../Outside/secret.txt"), false},
        {file("Page/sub/../../Outside/secret.txt"), false},
        {file("PageTwin/index.htm"), false},
        {file("Page"), false}, // the folder itself (a listing)
        {QUrl("file:///etc/passwd"), false},
        {QUrl("file://host/share/Page/index.htm"), false},
        {QUrl("http://127.0.0.1/"), false},
        {QUrl("https://example.org/x.js"), false},
        {QUrl("ws://127.0.0.1:9/"), false},
        {QUrl("ftp://127.0.0.1/"), false},
        {QUrl("qrc:/skin/a.png"), false},
        {QUrl("chrome://version"), false},
        {QUrl("about:config"), false},
        {QUrl("about:blank"), true},
        {QUrl("data:image/png;base64,AAAA"), true},
        {QUrl("blob:file:///0a1b-2c3d"), true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsWebRequestAllowed(c.url, folder), c.allowed) << c.url.toString().toStdString();
    EXPECT_TRUE(IsWebRequestAllowed(file("Page/picture.png"), folder + "/"));
    EXPECT_FALSE(IsWebRequestAllowed(file("Page/index.htm"), QString()));
}

TEST_F(WebRequestPolicyTest, LinksAreFollowedBeforeTheFolderIsCompared)
{
    ASSERT_TRUE(QFile::link(sandbox.root() + "Outside/secret.txt", folder + "/link.txt"));
    ASSERT_TRUE(QFile::link(sandbox.root() + "Outside", folder + "/linkdir"));
    EXPECT_FALSE(IsWebRequestAllowed(file("Page/link.txt"), folder));
    EXPECT_FALSE(IsWebRequestAllowed(file("Page/linkdir/secret.txt"), folder));
    EXPECT_FALSE(IsWebRequestAllowed(file("Page/linkdir/not-there.txt"), folder));

    // A page folder reached through a link is the folder it points to.
    ASSERT_TRUE(QFile::link(folder, sandbox.root() + "PageLink"));
    EXPECT_TRUE(IsWebRequestAllowed(file("Page/picture.png"), sandbox.root() + "PageLink"));
    EXPECT_TRUE(IsWebRequestAllowed(file("PageLink/picture.png"), folder));
}

TEST(WebViewFactoryTest, WithoutAnEngineCreatingAViewIsAnError)
{
    ly::platform::SetWebViewFactory({});
    EXPECT_FALSE(ly::platform::WebViewAvailable());
    try {
        ly::platform::CreateWebView(nullptr);
        FAIL() << "no error";
    } catch (const ly::Error &e) {
        EXPECT_EQ(e.text(), ly::platform::kNoWebEngineText);
    }
}

TEST(WebViewFactoryTest, AModuleThatIsMissingOrNoModuleIsAnErrorWithItsReason)
{
    lytest::Sandbox sandbox;
    ly::platform::UseWebEngine(sandbox.root() + "lywebview.so");
    EXPECT_TRUE(ly::platform::WebViewAvailable());
    try {
        ly::platform::CreateWebView(nullptr);
        FAIL() << "no error for a missing module";
    } catch (const ly::Error &e) {
        EXPECT_EQ(e.text(), ly::platform::kNoWebEngineText);
    }
    ly::platform::UseWebEngine(sandbox.writeFile("lywebview.so", "not a module"));
    try {
        ly::platform::CreateWebView(nullptr);
        FAIL() << "no error for a file that is no module";
    } catch (const ly::Error &e) {
        EXPECT_TRUE(e.text().startsWith("The web engine cannot be loaded: ")) << e.what();
    }
    ly::platform::SetWebViewFactory({});
}

class WebBrowserTest : public lytest::SandboxTest
{
protected:
    lytest::FakeWebEngine engine;
};

TEST_F(WebBrowserTest, TheViewStartsOnFirstShowWithTheLastPageGiven)
{
    ly::platform::WebBrowser browser;
    browser.resize(470, 330);
    browser.navigate("/pages/a/index.htm");
    browser.navigate("/pages/b/index.htm");
    browser.click(QPoint(5, 5));
    EXPECT_EQ(browser.view(), nullptr);
    EXPECT_TRUE(lytest::FakeWebView::views().isEmpty());
    EXPECT_EQ(browser.currentPage(), "/pages/b/index.htm");

    browser.show();
    ASSERT_EQ(lytest::FakeWebView::views().size(), 1);
    lytest::FakeWebView *view = lytest::FakeWebView::views().first();
    EXPECT_EQ(browser.view(), view);
    EXPECT_EQ(view->pages, QStringList{"/pages/b/index.htm"});
    EXPECT_TRUE(view->clicks.isEmpty());
    EXPECT_EQ(view->geometry(), browser.rect());
    EXPECT_EQ(view->accessibleName(), "WebBrowser");

    browser.navigate("/pages/c/index.htm");
    browser.click(QPoint(20, 30));
    browser.resize(300, 200);
    browser.hide();
    browser.show();
    EXPECT_EQ(lytest::FakeWebView::views().size(), 1);
    EXPECT_EQ(view->pages, (QStringList{"/pages/b/index.htm", "/pages/c/index.htm"}));
    EXPECT_EQ(view->clicks, QList<QPoint>{QPoint(20, 30)});
    EXPECT_EQ(view->geometry(), QRect(0, 0, 300, 200));
}

TEST(WebBrowserWithoutEngineTest, SaysSoInsteadOfShowingThePage)
{
    ly::platform::SetWebViewFactory({});
    ly::platform::WebBrowser browser;
    browser.resize(300, 200);
    browser.navigate("/pages/a/index.htm");
    browser.show();
    EXPECT_EQ(browser.view(), nullptr);
    const QImage shot = browser.grab().toImage();
    // A white area with the text in it.
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(Qt::white));
    bool hasText = false;
    for (int y = 0; y < shot.height() && !hasText; ++y)
        for (int x = 0; x < shot.width() && !hasText; ++x)
            hasText = shot.pixelColor(x, y) != shot.pixelColor(0, 0);
    EXPECT_TRUE(hasText);
    browser.click(QPoint(5, 5)); // nothing to click, nothing breaks
}

} // namespace
