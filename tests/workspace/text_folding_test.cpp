// Locale-aware case folding of search text.
#include "workspace/text_folding.h"

#include <gtest/gtest.h>

namespace marrowick {
namespace {

TEST(TextFolding, FoldsFullyAndComposesAccents) {
    const TextFolding folding(false);
    EXPECT_EQ(folding.fold("Crowd AT Dawn"), "crowd at dawn");
    EXPECT_EQ(folding.fold("STRASSE"), folding.fold("straße"));
    EXPECT_EQ(folding.fold("Ärger"), folding.fold("a\xCC\x88rger")) << "composed and decomposed umlaut agree";
    EXPECT_EQ(folding.fold("ΣΊΣΥΦΟΣ"), folding.fold("σίσυφος"));
}

TEST(TextFolding, TurkicLocalesFoldDottedAndDotlessI) {
    const TextFolding turkish(true);
    EXPECT_EQ(turkish.fold("İSTANBUL"), turkish.fold("istanbul"));
    EXPECT_EQ(turkish.fold("ILIK"), turkish.fold("ılık"));
    EXPECT_NE(turkish.fold("ILIK"), turkish.fold("ilik"));
    const TextFolding other(false);
    EXPECT_EQ(other.fold("ILIK"), other.fold("ilik"));
}

TEST(TextFolding, IllFormedTextFoldsWithoutFailing) {
    const TextFolding folding(false);
    EXPECT_EQ(folding.fold("A\xff" "B"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(folding.fold("\xC3"), "\xEF\xBF\xBD");
    EXPECT_EQ(folding.fold(""), "");
}

}  // namespace
}  // namespace marrowick
