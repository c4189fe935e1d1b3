#include "delivery/delivery_names.h"

#include <gtest/gtest.h>

#include "delivery/encode_fixtures.h"

namespace marrowick {
namespace {

using namespace testing;

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
