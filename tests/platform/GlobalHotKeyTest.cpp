#include "platform/widgets/GlobalHotKey.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using ly::platform::GlobalHotKey;

TEST(GlobalHotKeyTest, FiresFromAnyWindowOfTheProgramWhileItLives)
{
    QWidget preview; // the window that holds the key, shown as the full-screen preview is
    QWidget other;   // and another window of the program, which has the focus
    preview.show();
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    QApplication::setActiveWindow(&other);
    {
        GlobalHotKey key(QStringLiteral("MyHotKey1"), QKeySequence(Qt::Key_Escape), &preview);
        EXPECT_TRUE(key.isActive());
        EXPECT_TRUE(GlobalHotKey::isRegistered(QStringLiteral("MyHotKey1")));
        GlobalHotKey twin(QStringLiteral("MyHotKey1"), QKeySequence(Qt::Key_F2), &preview);
        EXPECT_FALSE(twin.isActive());

        QSignalSpy fired(&key, &GlobalHotKey::activated);
        QTest::keyClick(&other, Qt::Key_Escape);
        EXPECT_EQ(fired.count(), 1);
        QTest::keyClick(&other, Qt::Key_A);
        EXPECT_EQ(fired.count(), 1);
    }
    EXPECT_FALSE(GlobalHotKey::isRegistered(QStringLiteral("MyHotKey1")));
}

} // namespace
