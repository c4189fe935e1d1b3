#include "interchange/fcpxml_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "interchange/cut_list_matchers.h"

namespace marrowick {

using ::testing::ElementsAre;
using testing::EventIs;
using testing::failureOf;

namespace {

std::string document(const std::string& version, const std::string& spine) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE fcpxml>
<fcpxml version=")" + version + R"(">
  <resources>
    <format id="r0" frameDuration="1/25s" width="1920" height="1080"/>
    <format id="r1" frameDuration="1001/24000s" width="1920" height="1080"/>
    <asset id="r2" name="take" start="0s" duration="360360/24000s" hasVideo="1" hasAudio="1"/>
  </resources>
  <library><event name="day"><project name="cut">
    <sequence format="r1" tcStart="3600s" duration="240240/24000s">
      <spine>)" + spine + R"(</spine>
    </sequence>
  </project></event></library>
</fcpxml>)";
}

}  // namespace

TEST(FcpxmlReader, ReadsTheSpineInRationalTimes) {
    const std::string spine = R"(
        <asset-clip ref="r2" offset="86400000/24000s" start="0s" duration="48048/24000s">
          <asset-clip ref="r2" lane="1" offset="0s" duration="24024/24000s"/>
          <marker start="1001/24000s" duration="1001/24000s" value="note"/>
        </asset-clip>
        <transition name="Cross Dissolve" offset="86436036/24000s" duration="24024/24000s"/>
        <clip offset="86448048/24000s" duration="72072/24000s"><video ref="r2" offset="0s" duration="72072/24000s"/></clip>
        <gap offset="86520120/24000s" duration="24024/24000s"/>
        <audition><asset-clip ref="r2" offset="86544144/24000s" duration="72072/24000s"/><asset-clip ref="r2" offset="0s" duration="1s"/></audition>
        <title offset="86616216/24000s" duration="3603600/3600000s"/>)";
    const CutList list = FcpxmlReader::read(document("1.10", spine));
    EXPECT_NEAR(list.frameRate, 24000.0 / 1001, 1e-9);
    EXPECT_FALSE(list.origin);  // the first element's offset is the film's start
    const double start = 86400000.0 / 24000;
    EXPECT_THAT(list.events,
                ElementsAre(EventIs(start, start + 2.002, CutKind::clip), EventIs(start + 1.5015, start + 2.5025, CutKind::transition),
                            EventIs(start + 2.002, start + 5.005, CutKind::clip), EventIs(start + 5.005, start + 6.006, CutKind::gap),
                            EventIs(start + 6.006, start + 9.009, CutKind::clip), EventIs(start + 9.009, start + 10.01, CutKind::clip)));
}

TEST(FcpxmlReader, RefusesOlderVersionsAndUntimedElements) {
    EXPECT_EQ(failureOf([] { FcpxmlReader::read(document("1.6", "")); }),
              "Unsupported cut list: FCPXML version 1.6. Export FCPXML 1.8 or later.");
    EXPECT_EQ(failureOf([] { FcpxmlReader::read(document("1.8", R"(<clip offset="0s"/>)")); }),
              "The cut list cannot be read: element 1 of the storyline has no offset or duration.");
    EXPECT_EQ(failureOf([] { FcpxmlReader::read(document("1.8", R"(<clip offset="1/0s" duration="1s"/>)")); }),
              "The cut list cannot be read: element 1 of the storyline has no offset or duration.");
    EXPECT_EQ(failureOf([] { FcpxmlReader::read("<fcpxml version=\"1.9\"><resources/>"); }),
              "The cut list cannot be read: it is not well-formed XML.");
    EXPECT_EQ(failureOf([] { FcpxmlReader::read("<xmeml version=\"5\"/>"); }),
              "The cut list cannot be read: it is not an FCPXML document.");
    EXPECT_EQ(failureOf([] { FcpxmlReader::read("<fcpxml version=\"1.9\"><library/></fcpxml>"); }),
              "The cut list cannot be read: the file holds no sequence.");
}

TEST(FcpxmlReader, LeavesExternalEntitiesUnexpanded) {
    const std::string hostile = R"(<?xml version="1.0"?>
<!DOCTYPE fcpxml [<!ENTITY secret SYSTEM "file:///etc/passwd">]>
<fcpxml version="1.9"><library><sequence><spine><gap offset="0s" duration="1s">&secret;</gap></spine></sequence></library></fcpxml>)";
    const CutList list = FcpxmlReader::read(hostile);
    EXPECT_THAT(list.events, ElementsAre(EventIs(0, 1, CutKind::gap)));
}

}  // namespace marrowick
