// The safe-zone catalogue reader: the shipped file, schema and shape checks, unusable insets.
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

std::string profile(const std::string& id, const std::string& insets, const std::string& extra = "") {
    return R"({"id": ")" + id + R"(", "name": "N", "scope": "S", "aspectRatio": "any", "checkedAt": "2026-12-09",
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

}  // namespace
}  // namespace marrowick
