#include "interchange/xmeml_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "interchange/cut_list_matchers.h"

namespace marrowick {

using ::testing::ElementsAre;
using testing::EventIs;
using testing::failureOf;

namespace {

std::string xmemlDocument(const std::string& track, const std::string& ntsc = "TRUE") {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xmeml>
<xmeml version="5"><project><children><sequence id="seq">
  <rate><timebase>30</timebase><ntsc>)" + ntsc + R"(</ntsc></rate>
  <media>
    <video>
      <format><samplecharacteristics><width>1920</width></samplecharacteristics></format>
      <track>)" + track + R"(</track>
      <track><clipitem><start>0</start><end>9999</end></clipitem></track>
    </video>
    <audio><track><clipitem><start>0</start><end>5</end></clipitem></track></audio>
  </media>
</sequence></children></project></xmeml>)";
}

}  // namespace

TEST(XmemlReader, ReadsClipsAndCentredTransitionsOfTheFirstVideoTrack) {
    const std::string track = R"(
        <enabled>TRUE</enabled>
        <clipitem id="a"><name>a</name><start>0</start><end>-1</end><in>0</in><out>75</out>
          <filter><effect><name>Basic Motion</name></effect></filter></clipitem>
        <transitionitem><start>60</start><end>90</end><alignment>center</alignment>
          <effect><name>Cross Dissolve</name></effect></transitionitem>
        <clipitem id="b"><start>-1</start><end>150</end></clipitem>
        <generatoritem><start>180</start><end>210</end></generatoritem>
        <transitionitem><start>210</start><end>220</end><alignment>start-black</alignment></transitionitem>
        <clipitem id="c"><start>-1</start><end>300</end></clipitem>)";
    const CutList list = XmemlReader::read(xmemlDocument(track));
    const double rate = 30000.0 / 1001;
    EXPECT_NEAR(list.frameRate, rate, 1e-9);
    EXPECT_THAT(list.events, ElementsAre(EventIs(0, 75 / rate, CutKind::clip), EventIs(60 / rate, 90 / rate, CutKind::transition),
                                         EventIs(75 / rate, 150 / rate, CutKind::clip), EventIs(180 / rate, 210 / rate, CutKind::clip),
                                         EventIs(210 / rate, 220 / rate, CutKind::transition),
                                         EventIs(210 / rate, 300 / rate, CutKind::clip)));
    EXPECT_EQ(XmemlReader::read(xmemlDocument(track, "FALSE")).frameRate, 30);
}

TEST(XmemlReader, RefusesItemsItCannotTime) {
    EXPECT_EQ(failureOf([] { XmemlReader::read(xmemlDocument("<clipitem><start>-1</start><end>9</end></clipitem>")); }),
              "The cut list cannot be read: a clip starts under no transition.");
    EXPECT_EQ(failureOf([] { XmemlReader::read(xmemlDocument("<clipitem><start>0</start></clipitem>")); }),
              "The cut list cannot be read: item 1 of the video track has no start or end.");
    EXPECT_EQ(failureOf([] { XmemlReader::read("<xmeml><sequence><rate><timebase>0</timebase></rate></sequence></xmeml>"); }),
              "The cut list cannot be read: the sequence has no frame rate.");
    EXPECT_EQ(failureOf([] { XmemlReader::read("<fcpxml/>"); }),
              "The cut list cannot be read: it is not a Final Cut Pro XML document.");
    EXPECT_TRUE(XmemlReader::read("<xmeml><sequence><rate><timebase>25</timebase></rate></sequence></xmeml>").events.empty());
}

}  // namespace marrowick
