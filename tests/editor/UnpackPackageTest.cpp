#include "card/PackageFixtures.h"

#include "card/Package.h"
#include "editor/widgets/UnpackPackage.h"
#include "shared/widgets/Notice.h"
#include "support/Sandbox.h"

#include <QDir>

#include <utility>
#include <vector>

namespace {

using namespace packagetest;

std::vector<std::pair<int, QString>> g_notices;

void recordNotice(int kind, const QString &text)
{
    g_notices.emplace_back(kind, text);
}

class UnpackPackageTest : public lytest::SandboxTest
{
protected:
    UnpackPackageTest()
    {
        g_notices.clear();
        ly::SetNoticeHook(recordNotice);
    }
    ~UnpackPackageTest() override { ly::SetNoticeHook(nullptr); }
};

TEST_F(UnpackPackageTest, ReportsEachFailureWithItsNoticeAndNothingOnSuccess)
{
    const QByteArray good = packageOf({{"index.htm", "<html>"}});
    const struct
    {
        const char *what;
        QByteArray package; // empty: no package file at all
        std::vector<std::pair<int, QString>> notices;
    } cases[] = {
        {"unpacked", good, {}},
        {"missing", {}, {{2, "Did not find out this material document."}}},
        {"zero trailer", le32(0),
         {{1, "The procedure carried out the illegal operation, will soon close."}}},
        {"damaged", good.mid(3),
         {{1, "Execuse me, the procedure want for document, may read to put to have the mistake."}}},
    };
    for (const auto &c : cases) {
        g_notices.clear();
        const QString package = sandbox.root() + "Blk.tmp";
        QFile::remove(package);
        if (!c.package.isEmpty())
            sandbox.writeFile("Blk.tmp", c.package);
        ly::UnpackPackage(package, sandbox.tempDir() + "http");
        EXPECT_EQ(g_notices, c.notices) << c.what;
    }
    EXPECT_EQ(lytest::readFile(sandbox.tempDir() + "http/index.htm"), QByteArray("<html>"));
}

} // namespace
