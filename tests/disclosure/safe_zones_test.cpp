// The safe-zone catalogue: the reader (shipped file, schema and shape checks, unusable insets) and
// the guide lookup (automatic guides, ratios, fallback margins, the safe rectangle).
#include "disclosure/safe_zones.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "disclosure/temporary_folder.h"

namespace marrowick {
namespace {

std::string catalogue(int schema, const std::string& profiles) {
    return R"({"schema": )" + std::to_string(schema) + R"(, "profiles": [)" + profiles + "]}";
}

std::string profile(const std::string& id, const std::string& insets, const std::string& extra = "",
                    const std::string& ratio = "any") {
    return R"({"id": ")" + id + R"(", "name": "N", "scope": "S", "aspectRatio": ")" + ratio + R"(", "checkedAt": "2026-12-09",
               "provenance": "editorial", "notes": "", "normalizedContainedInsets": )" +
           insets + extra + "}";
}

constexpr const char* kTen = R"({"left": 0.1, "top": 0.1, "right": 0.1, "bottom": 0.1})";

TEST(SafeZonesTest, ShippedCatalogueHoldsTheLastResortGuideAndUniqueIdentifiers) {
    const std::vector<SafeZoneProfile> profiles = SafeZones::load(MARROWICK_RESOURCE_DIR);
    ASSERT_FALSE(profiles.empty());
    const std::set<std::string> ids = SafeZones::profileIDs(profiles);
    EXPECT_EQ(ids.size(), profiles.size());
    EXPECT_TRUE(ids.contains(SafeZones::kLastResortProfileID));
    EXPECT_EQ(profiles.front().id, SafeZones::kLastResortProfileID) << "file order is kept";

    std::ifstream file(std::filesystem::path(MARROWICK_RESOURCE_DIR) / SafeZones::kFileName);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::size_t written = 0;
    for (std::size_t at = text.find("\"id\":"); at != std::string::npos; at = text.find("\"id\":", at + 1)) ++written;
    EXPECT_EQ(profiles.size(), written) << "no shipped guide is dropped as unusable";
}

TEST(SafeZonesTest, OptionalMembersAreReadWhenPresent) {
    const auto profiles = SafeZones::decode(catalogue(
        1, profile("a", kTen, R"(, "sourceUrl": "https://example.org", "catalogueTargetKeys": ["web"])") + "," +
               profile("b", kTen)));
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_EQ(profiles[0].sourceUrl, "https://example.org");
    EXPECT_EQ(profiles[0].catalogueTargetKeys, std::vector<std::string>{"web"});
    EXPECT_EQ(profiles[0].normalizedContainedInsets, (SafeInsets{0.1, 0.1, 0.1, 0.1}));
    EXPECT_FALSE(profiles[1].sourceUrl);
    EXPECT_FALSE(profiles[1].catalogueTargetKeys);
}

TEST(SafeZonesTest, AnythingButAWellFormedSchemaOneCatalogueGivesNoProfiles) {
    EXPECT_TRUE(SafeZones::decode(catalogue(2, profile("a", kTen))).empty());
    EXPECT_TRUE(SafeZones::decode(R"({"schema": 1})").empty());
    EXPECT_TRUE(SafeZones::decode("[]").empty());
    EXPECT_TRUE(SafeZones::decode("{ not json").empty());
    EXPECT_TRUE(SafeZones::decode(std::string(100000, '[')).empty());
    // One malformed profile spoils the whole document, not just itself.
    const std::string wordInset = R"({"left": "0.1", "top": 0.1, "right": 0.1, "bottom": 0.1})";
    const std::string boolInset = R"({"left": true, "top": 0.1, "right": 0.1, "bottom": 0.1})";
    EXPECT_TRUE(SafeZones::decode(catalogue(1, profile("a", kTen) + "," + profile("b", wordInset))).empty());
    EXPECT_TRUE(SafeZones::decode(catalogue(1, profile("a", boolInset))).empty());
    EXPECT_TRUE(SafeZones::decode(catalogue(1, profile("a", kTen, R"(, "catalogueTargetKeys": [1])"))).empty());

    TemporaryFolder empty;
    EXPECT_TRUE(SafeZones::load(empty.path()).empty());
}

TEST(SafeZonesTest, ProfilesWithoutAUsableRectangleAreDroppedSilently) {
    const std::string tooWide = R"({"left": 0.45, "top": 0, "right": 0.5, "bottom": 0})";
    const std::string wideLeft = R"({"left": 0.9, "top": 0, "right": 0, "bottom": 0})";
    const std::string negative = R"({"left": -0.1, "top": 0, "right": 0, "bottom": 0})";
    const auto profiles = SafeZones::decode(
        catalogue(1, profile("a", tooWide) + "," + profile("b", wideLeft) + "," + profile("c", negative)));
    EXPECT_EQ(SafeZones::profileIDs(profiles), std::set<std::string>{"b"});
}

// A catalogue in file order: a 9:16 guide of the "reels" preset, a 16:9 guide of "reels" and
// "tv", and the last-resort guide, listed last.
std::vector<SafeZoneProfile> guides() {
    const std::string reels = R"({"left": 0.06, "top": 0.14, "right": 0.06, "bottom": 0.35})";
    const std::string tv = R"({"left": 0.05, "top": 0.05, "right": 0.05, "bottom": 0.05})";
    return SafeZones::decode(catalogue(
        1, profile("vertical", reels, R"(, "catalogueTargetKeys": ["reels"])", "9:16") + "," +
               profile("wide", tv, R"(, "catalogueTargetKeys": ["reels", "tv"])", "16:9") + "," +
               profile(SafeZones::kLastResortProfileID, kTen)));
}

std::string idOf(const SafeZoneProfile* profile) { return profile ? profile->id : "(none)"; }

TEST(SafeZonesTest, AutomaticGuideIsTheFirstProfileOfThePresetThatFitsTheRatio) {
    const auto profiles = guides();
    ASSERT_EQ(profiles.size(), 3u);
    EXPECT_EQ(idOf(SafeZones::defaultProfile(profiles, "reels", 1080, 1920)), "vertical");
    EXPECT_EQ(idOf(SafeZones::defaultProfile(profiles, "reels", 1920, 1080)), "wide");
    EXPECT_EQ(idOf(SafeZones::defaultProfile(profiles, "tv", 1080, 1920)), SafeZones::kLastResortProfileID);
    EXPECT_EQ(idOf(SafeZones::defaultProfile(profiles, std::nullopt, 1920, 1080)), SafeZones::kLastResortProfileID);
    EXPECT_EQ(idOf(SafeZones::defaultProfile({}, "reels", 1080, 1920)), "(none)");
}

TEST(SafeZonesTest, ANamedGuideOfAnotherRatioFallsBackToTenPercentMargins) {
    const auto profiles = guides();
    const LabelLayout named{0.18, 1, 1, "vertical", {}};
    EXPECT_EQ(idOf(SafeZones::profile(profiles, &named, std::nullopt, 1080, 1920)), "vertical");
    EXPECT_EQ(idOf(SafeZones::profile(profiles, &named, std::nullopt, 1920, 1080)), "(none)");
    EXPECT_EQ(SafeZones::guideInsets(profiles, named, std::nullopt, 1920, 1080), (SafeInsets{0.1, 0.1, 0.1, 0.1}));
    EXPECT_EQ(SafeZones::guideInsets(profiles, named, std::nullopt, 1080, 1920), (SafeInsets{0.06, 0.14, 0.06, 0.35}));

    const LabelLayout automatic{0.18, 1, 1, "auto", {}};
    EXPECT_EQ(SafeZones::guideInsets(profiles, automatic, "tv", 1920, 1080), (SafeInsets{0.05, 0.05, 0.05, 0.05}));
    EXPECT_EQ(idOf(SafeZones::profile(profiles, nullptr, "tv", 1920, 1080)), "wide");

    const LabelLayout custom{0.18, 1, 1, "custom", SafeInsets{0.2, 0, 0.3, 0.1}};
    EXPECT_EQ(SafeZones::guideInsets(profiles, custom, "tv", 1920, 1080), (SafeInsets{0.2, 0, 0.3, 0.1}));

    // Another schema loads nothing: every guide, automatic or named, shows the 0.1 margins.
    const auto none = SafeZones::decode(catalogue(2, profile(SafeZones::kLastResortProfileID, kTen)));
    EXPECT_EQ(SafeZones::guideInsets(none, automatic, "tv", 1920, 1080), (SafeInsets{0.1, 0.1, 0.1, 0.1}));
    EXPECT_EQ(SafeZones::guideInsets(none, named, std::nullopt, 1080, 1920), (SafeInsets{0.1, 0.1, 0.1, 0.1}));
}

TEST(SafeZonesTest, SafeRectangleRoundsInwards) {
    EXPECT_EQ(SafeZones::safeRect({0.1, 0.1, 0.1, 0.1}, 1920, 1080), (LabelRect{192, 108, 1536, 864}));
    // 0.035 x 1920 = 67.2 and 0.035 x 1080 = 37.8: both edges move inwards to whole pixels.
    EXPECT_EQ(SafeZones::safeRect({0.035, 0.035, 0.035, 0.035}, 1920, 1080), (LabelRect{68, 38, 1784, 1004}));
    EXPECT_EQ(SafeZones::safeRect({0.6, 0, 0.6, 0}, 100, 100).width, 0) << "crossed edges leave no width";
}

}  // namespace
}  // namespace marrowick
