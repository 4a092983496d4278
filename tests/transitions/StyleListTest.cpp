#include "transitions/Effects.h"

#include "shared/Ini.h"

#include "support/Sandbox.h"

#include <gtest/gtest.h>

namespace {

// The album's effect tree is built from the three lists of the shipped config.ini: joined in
// key order, each name ended by ";", they hold the catalogue in style order and then the
// random choice, so tree node k (counted from the end) plays style 151 − k.
TEST(StyleListTest, ShippedListsHoldTheCatalogueThenRandom)
{
    const QString config = lytest::contentDir() + QStringLiteral("config.ini");
    QStringList names;
    for (const char *key : {"StyleName1", "StyleName2", "StyleName3"}) {
        const QString value = ly::ini::read(config, QStringLiteral("FrmPicture"), QLatin1String(key));
        ASSERT_TRUE(value.endsWith(QLatin1Char(';'))) << key << " would lose its last name";
        ASSERT_LT(value.size(), ly::ini::kMaxValueLength) << key << " is cut when read";
        names += value.chopped(1).split(QLatin1Char(';'));
    }
    ASSERT_EQ(names.size(), ly::transitions::kStyleCount + 1);
    for (int style = 1; style <= ly::transitions::kStyleCount; ++style)
        EXPECT_EQ(names[style - 1], ly::transitions::styleName(style)) << style;
    EXPECT_EQ(names.last(), QStringLiteral("Random"));
}

} // namespace
