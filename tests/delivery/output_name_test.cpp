// Output names of a delivery and the untagged-colour gate.
#include "delivery/output_name.h"

#include <gtest/gtest.h>

#include "delivery/colour_confirmation.h"
#include "delivery/preset_fixtures.h"
#include "raised_message.h"

namespace marrowick {
namespace {

Film filmWithPath(const std::string& path) {
    Film film;
    film.path = path;
    return film;
}

TEST(OutputName, NumberThenTheSafeNameThenTheContainer) {
    DeliveryPreset preset = testing::webPreset();
    preset.suffix = "_web";
    EXPECT_EQ(MasteringExporter::outputName(2, preset, filmWithPath("/films/Spot A.mov")), "2-Spot_A_web.mp4");
    EXPECT_EQ(MasteringExporter::outputName(1, preset, filmWithPath("/films/Trailer final.cut.mov")), "1-Trailer_final_cut_web.mp4");
    preset.prefix = "../";  // cannot climb out of the delivery folder
    preset.encoding.container = "mxf";
    EXPECT_EQ(MasteringExporter::outputName(12, preset, filmWithPath("/films/reel")), "12-___reel_web.mxf");
}

TEST(OutputName, LettersMarksAndDigitsOfAnyScriptStay) {
    EXPECT_EQ(MasteringExporter::safeName("\u00D6lfilm \u00F1\u20142-b_c"), "\u00D6lfilm_\u00F1_2-b_c");
    EXPECT_EQ(MasteringExporter::safeName("Cafe\u0301 \u0661\u0662 \u6620\u753B"), "Cafe\u0301_\u0661\u0662_\u6620\u753B");
    EXPECT_EQ(MasteringExporter::safeName("a\U0001F3AC/b\\c:d"), "a__b_c_d");  // one "_" per scalar
    EXPECT_EQ(MasteringExporter::safeName("x\xFF\xC3y"), "x__y");             // broken UTF-8
    EXPECT_EQ(MasteringExporter::safeName(""), "");
}

TEST(ColourConfirmation, UntaggedSourcesNeedTheUsersAssumption) {
    const Film film = filmWithPath("/films/Spot A.mov");
    SourceProbe source;
    source.transfer = source.primaries = "bt709";
    EXPECT_NO_THROW(MasteringExporter::requireConfirmedColour(film, source, false));
    source.transfer = "unknown";
    EXPECT_EQ(testing::raisedMessage([&] { MasteringExporter::requireConfirmedColour(film, source, false); }),
              "Spot A.mov has untagged colour. Confirm SDR Rec.709 in the export dialog, or tag/finish the source first.");
    EXPECT_NO_THROW(MasteringExporter::requireConfirmedColour(film, source, true));
    source.transfer = "bt709";
    source.primaries = "unknown";
    EXPECT_TRUE(MasteringExporter::hasUntaggedColour(source));
}

}  // namespace
}  // namespace marrowick
