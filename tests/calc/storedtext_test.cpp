#include "calc/storedtext.h"

#include <gtest/gtest.h>

using namespace kvor;

TEST(StoredText, UkrainianLettersTheCodePageLacksCompareAsStored)
{
    // What the file gives back (Latin i) against the list items.
    EXPECT_TRUE(StoredText::equals(QStringLiteral("Штабелi на пiддонах"), QStringLiteral("Штабелі на піддонах")));
    EXPECT_TRUE(StoredText::equals(QStringLiteral("Пов. завiса"), QStringLiteral("Пов. завіса")));
    EXPECT_TRUE(StoredText::equals(QStringLiteral("Вiдсутня"), QStringLiteral("Відсутня")));
    EXPECT_TRUE(StoredText::equals(QStringLiteral("Iнше"), QStringLiteral("Інше")));
    EXPECT_TRUE(StoredText::equals(QStringLiteral("Гудзик"), QStringLiteral("Ґудзик")));
    // Texts not yet through the file compare as before.
    EXPECT_TRUE(StoredText::equals(QStringLiteral("Штабелі на піддонах"), QStringLiteral("Штабелі на піддонах")));
    EXPECT_TRUE(StoredText::equals(QStringLiteral("Штора"), QStringLiteral("Штора")));
}

TEST(StoredText, EverythingElseStaysExact)
{
    EXPECT_FALSE(StoredText::equals(QStringLiteral("штабелi на пiддонах"), QStringLiteral("Штабелі на піддонах")));
    EXPECT_FALSE(StoredText::equals(QStringLiteral("Пов.  завiса"), QStringLiteral("Пов. завіса")));
    EXPECT_FALSE(StoredText::equals(QStringLiteral("Пов. завiса "), QStringLiteral("Пов. завіса")));
    EXPECT_FALSE(StoredText::equals(QStringLiteral("ШТОРА"), QStringLiteral("Штора")));
    EXPECT_FALSE(StoredText::equals(QString(), QStringLiteral("Відсутня")));
    // Ї and Є are in the page: no substitution, so they must match themselves.
    EXPECT_FALSE(StoredText::equals(QStringLiteral("Киiв"), QStringLiteral("Київ")));
    EXPECT_FALSE(StoredText::equals(QStringLiteral("Еmність"), QStringLiteral("Єmність")));
    EXPECT_EQ(StoredText::asStored(QStringLiteral("Пов. завіса")), QStringLiteral("Пов. завiса"));
}
