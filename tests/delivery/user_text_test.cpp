#include "delivery/internal/user_text.h"

#include <gtest/gtest.h>

namespace marrowick {
namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) { return UserText::folded(a) == UserText::folded(b); }

TEST(UserText, CountsGraphemeClustersWithAndWithoutTheAsciiShortcut) {
    EXPECT_EQ(UserText::characterCount(""), 0u);
    EXPECT_EQ(UserText::characterCount("a\r\nb"), 3u);
    EXPECT_EQ(UserText::characterCount("\u00E9\r\nb"), 3u);  // same answer through ICU
    EXPECT_EQ(UserText::characterCount("e\u0301"), 1u);
    EXPECT_EQ(UserText::characterCount("\U0001F1E9\U0001F1EA"), 1u);  // one flag
    EXPECT_EQ(UserText::characterCount("\xFF\xFE"), 2u);              // broken UTF-8 counts per replaced byte
}

TEST(UserText, FirstCharactersNeverSplitsACluster) {
    EXPECT_EQ(UserText::firstCharacters("abc", 2), "ab");
    EXPECT_EQ(UserText::firstCharacters("abc", 0), "");
    EXPECT_EQ(UserText::firstCharacters("abc", 5), "abc");
    EXPECT_EQ(UserText::firstCharacters("e\u0301e\u0301e", 2), "e\u0301e\u0301");
}

TEST(UserText, TrimsSpaceSeparatorsAndTabsButNotLineBreaks) {
    EXPECT_EQ(UserText::trimmed(" \t\u00A0\u2003Name\u3000 "), "Name");
    EXPECT_EQ(UserText::trimmed("\nName\n"), "\nName\n");
    EXPECT_EQ(UserText::trimmed("\t \t"), "");
}

TEST(UserText, ComparesNamesWithoutRegardToCase) {
    EXPECT_TRUE(equalIgnoringCase("Broadcast", "bROADCAST"));
    EXPECT_TRUE(equalIgnoringCase("Stra\u00DFe", "STRASSE"));
    EXPECT_TRUE(equalIgnoringCase("\u00C9t\u00E9", "\u00E9T\u00C9"));
    EXPECT_FALSE(equalIgnoringCase("Broadcast", "Broadcast "));
}

}  // namespace
}  // namespace marrowick
