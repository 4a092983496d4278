#include "editor/widgets/AppException.h"

#include "shared/Error.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(AppExceptionTest, ErrorsGoToTheHandlerAndTheSilentStopGoesNowhere)
{
    QStringList reported;
    ly::SetAppExceptionHandler([&reported](const QString &text) { reported.append(text); });
    const struct { const char *name; std::function<void()> work; bool completes; QStringList reports; } cases[] = {
        {"no error", [] {}, true, {}},
        {"project error", [] { throw ly::Error("Unable to write to /x/Card1.zpj"); }, false,
         {"Unable to write to /x/Card1.zpj"}},
        {"runtime error", [] { throw std::runtime_error("stoi"); }, false, {"stoi"}},
        {"anything else", [] { throw 42; }, false, {"Unknown error"}},
        {"Cancel at the save prompt", [] { throw ly::SilentAbort(); }, false, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        reported.clear();
        EXPECT_EQ(ly::RunGuarded(c.work), c.completes);
        EXPECT_EQ(reported, c.reports);
    }
    ly::SetAppExceptionHandler(nullptr);
}

} // namespace
