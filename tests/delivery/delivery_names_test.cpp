#include "delivery/delivery_names.h"

#include <gtest/gtest.h>

#include "delivery/encode_fixtures.h"

namespace marrowick {
namespace {

using namespace testing;

TEST(DeliveryNames, SafeNamesKeepLettersMarksDigitsUnderscoreAndHyphen) {
    EXPECT_EQ(DeliveryNames::safeName("Trailer final.cut_web"), "Trailer_final_cut_web");
    EXPECT_EQ(DeliveryNames::safeName("\u00c9t\u00e9 e\u0301 \u0663-\u65e5\u672c/x:y"),
              "\u00c9t\u00e9_e\u0301_\u0663-\u65e5\u672c_x_y");
    EXPECT_EQ(DeliveryNames::safeName("a\xff\xfe" "b\U0001F600c"), "a__b_c");
    EXPECT_EQ(DeliveryNames::safeName("../.."), "_____");
}

TEST(DeliveryNames, OutputNamesAreNumberedAndBuiltFromTheFilm) {
    DeliveryPreset preset = cataloguePreset("web_h264_1080p");
    EXPECT_EQ(DeliveryNames::outputName(2, preset, filmAt("/films/Spot A.mov", 1)), "2-Spot_A_web.mp4");
    EXPECT_EQ(DeliveryNames::outputName(1, preset, filmAt("/films/Trailer final.cut.mov", 1)),
              "1-Trailer_final_cut_web.mp4");
    preset.prefix = "ACME ";
    preset.encoding.container = "mov";
    EXPECT_EQ(DeliveryNames::outputName(12, preset, filmAt("/films/noext", 1)), "12-ACME_noext_web.mov");
}

TEST(DeliveryNames, FolderAndSummaryLines) {
    const std::string folder = DeliveryNames::newFolderName();
    ASSERT_EQ(folder.size(), 27u);
    EXPECT_TRUE(folder.starts_with("Marrowick-delivery-"));
    EXPECT_EQ(folder.substr(19).find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_NE(folder, DeliveryNames::newFolderName());

    EncodePlan plan = planFor(cataloguePreset("web_h264_1080p"), 1280, 720);
    EXPECT_EQ(DeliveryNames::summaryLine("1-a_web.mp4", plan),
              "1-a_web.mp4 \u2014 Web H.264 1080p (MP4) \u2014 1280x720 \u2014 ");
    plan.warnings = {"One.", "Two."};
    EXPECT_EQ(DeliveryNames::summaryLine("1-a_web.mp4", plan),
              "1-a_web.mp4 \u2014 Web H.264 1080p (MP4) \u2014 1280x720 \u2014 One. Two.");
}

}  // namespace
}  // namespace marrowick
