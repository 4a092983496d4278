#include "support/Sandbox.h"

#include "platform/widgets/HelpViewer.h"
#include "platform/widgets/HtmlHelp.h"
#include "shared/Error.h"
#include "shared/Paths.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

using namespace ly::platform;

TEST(HelpTopicTest, TopicsNamePagesOfTheHelpSetFolder)
{
    const struct
    {
        const char *topic;
        const char *file;
        const char *anchor;
    } cases[] = {
        {"/opt/Lyrabell/Guidebook.chm::/CardBlk.htm", "/opt/Lyrabell/Guidebook/CardBlk.htm", ""},
        {"/opt/Lyrabell/Guidebook.CHM::\\quick.htm>main", "/opt/Lyrabell/Guidebook/quick.htm", ""},
        {"/opt/Lyrabell/Guidebook.chm::/sub/a.htm#music", "/opt/Lyrabell/Guidebook/sub/a.htm",
         "music"},
        {"/opt/Lyrabell/Guidebook.chm", "/opt/Lyrabell/Guidebook/index.htm", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.topic);
        const QUrl page = HelpTopicPage(c.topic);
        EXPECT_EQ(page.toLocalFile(), QString(c.file));
        EXPECT_EQ(page.fragment(), QString(c.anchor));
    }
}

class HtmlHelpTest : public lytest::SandboxTest
{
protected:
    HtmlHelpTest() { sandbox.copyContent("Guidebook"); }
    ~HtmlHelpTest() override
    {
        ly::CloseHtmlHelp();
        SetHelpLibraryLoader({});
    }

    HelpViewer *viewerOf(quintptr result)
    {
        return reinterpret_cast<HelpViewer *>(result);
    }

    QString topic(const QString &page)
    {
        return sandbox.programDir() + "Guidebook.chm::/" + page;
    }
};

TEST_F(HtmlHelpTest, ShowsThePagesOfTheGuide)
{
    QWidget mainWindow;
    for (const char *page : {"CardBlk.htm", "CardPicture.htm", "CardFlash.htm", "CardMovie.htm",
                             "CardForm.htm", "quick.htm", "index.htm"}) {
        SCOPED_TRACE(page);
        const quintptr result = ly::ShowHtmlHelp(&mainWindow, topic(page), HH_DISPLAY_TOPIC, 0);
        HelpViewer *viewer = viewerOf(result);
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_EQ(viewer->currentPage().toLocalFile(), sandbox.programDir() + "Guidebook/" + page);
        EXPECT_FALSE(viewer->pageTitle().isEmpty()) << "every page of the guide has a title";
        EXPECT_TRUE(viewer->windowTitle().startsWith("Lyrabell Help"));
    }
    // One help window serves every topic.
    EXPECT_EQ(ly::ShowHtmlHelp(&mainWindow, topic("quick.htm"), HH_DISPLAY_TOPIC, 0),
              ly::ShowHtmlHelp(&mainWindow, topic("CardBlk.htm"), HH_DISPLAY_TOPIC, 0));
}

TEST_F(HtmlHelpTest, AMissingPageSaysSoInTheWindow)
{
    HelpViewer *viewer =
        viewerOf(ly::ShowHtmlHelp(nullptr, topic("NoSuchPage.htm"), HH_DISPLAY_TOPIC, 0));
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->pageTitle(), QStringLiteral("Page not found"));
}

TEST_F(HtmlHelpTest, CloseUnloadsTheLibraryAndItsWindow)
{
    QPointer<HelpViewer> viewer =
        viewerOf(ly::ShowHtmlHelp(nullptr, topic("quick.htm"), HH_DISPLAY_TOPIC, 0));
    ASSERT_FALSE(viewer.isNull());
    ly::CloseHtmlHelp();
    EXPECT_TRUE(viewer.isNull());
    ly::CloseHtmlHelp(); // not loaded: nothing
}

// A library of the test's own, to see what the helpers ask of it.
class FakeLibrary : public HelpLibrary
{
public:
    struct Call
    {
        QString topic;
        unsigned command;
        quintptr data;
    };
    explicit FakeLibrary(QList<Call> *calls, bool hasFunction)
        : m_calls(calls), m_hasFunction(hasFunction) {}

    HtmlHelpFunction function(const QByteArray &name) override
    {
        if (!m_hasFunction || name != "HtmlHelpA")
            return {};
        return [this](QWidget *, const QString &topic, unsigned command, quintptr data) {
            m_calls->append({topic, command, data});
            if (command == HH_INITIALIZE)
                *reinterpret_cast<quintptr *>(data) = 4711;
            return quintptr(99);
        };
    }

private:
    QList<Call> *m_calls;
    bool m_hasFunction;
};

TEST_F(HtmlHelpTest, LoadsOnceInitialisesAndHandsTheCookieBack)
{
    QList<FakeLibrary::Call> calls;
    QStringList loadedFrom;
    SetHelpLibraryLoader([&](const QString &path) {
        loadedFrom.append(path);
        return std::make_unique<FakeLibrary>(&calls, true);
    });
    EXPECT_EQ(ly::ShowHtmlHelp(nullptr, "a.chm::/x.htm", HH_DISPLAY_TOPIC, 7), quintptr(99));
    ly::ShowHtmlHelp(nullptr, "a.chm::/y.htm", HH_DISPLAY_TOPIC, 0);
    ly::CloseHtmlHelp();

    EXPECT_EQ(loadedFrom, QStringList{ly::SystemDir() + "/HHCTRL.OCX"});
    ASSERT_EQ(calls.size(), 4);
    EXPECT_EQ(calls[0].command, unsigned(HH_INITIALIZE));
    EXPECT_EQ(calls[1].topic, QStringLiteral("a.chm::/x.htm"));
    EXPECT_EQ(calls[1].data, quintptr(7));
    EXPECT_EQ(calls[2].topic, QStringLiteral("a.chm::/y.htm"));
    EXPECT_EQ(calls[3].command, unsigned(HH_UNINITIALIZE));
    EXPECT_EQ(calls[3].data, quintptr(4711));
}

TEST_F(HtmlHelpTest, LoadFailuresRaiseTheirTexts)
{
    const struct
    {
        bool loads;
        bool hasFunction;
        const char *text;
    } cases[] = {
        {false, false, "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!"},
        {true, false, "Function HTMLHELP cannot loaded!"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        QList<FakeLibrary::Call> calls;
        SetHelpLibraryLoader([&](const QString &) -> std::unique_ptr<HelpLibrary> {
            if (!c.loads)
                return nullptr;
            return std::make_unique<FakeLibrary>(&calls, c.hasFunction);
        });
        try {
            ly::ShowHtmlHelp(nullptr, topic("quick.htm"), HH_DISPLAY_TOPIC, 0);
            ADD_FAILURE() << "no error raised";
        } catch (const ly::Error &e) {
            EXPECT_EQ(e.text(), QString(c.text));
        }
        EXPECT_TRUE(calls.isEmpty());
    }
}

} // namespace
