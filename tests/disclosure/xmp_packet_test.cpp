// Disclosure packets written and read back, and hostile packets refused with a message.
#include "disclosure/xmp_packet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "raised_message.h"

namespace marrowick {
namespace {

using ::testing::HasSubstr;

DisclosureMetadata labelled() {
    return {kCompositeWithTrainedAlgorithmicMedia, "Creative-work disclosure note: Ünïcode & <markup>\t\"quoted\"\r\n",
            "f30000s1001", {{0, 12, Disclosure::generated}, {40, 3, Disclosure::modified}, {43, 1, Disclosure::generated}}};
}

TEST(XmpPacket, ReadsBackWhatItWrote) {
    const DisclosureMetadata unlabelled{std::nullopt, "Per-shot visible disclosure selected.", "f25", {}};
    for (const DisclosureMetadata& metadata : {labelled(), unlabelled}) {
        const std::string packet = XmpPacket::write(metadata);
        EXPECT_EQ(XmpPacket::read(packet), metadata) << packet;
        EXPECT_NO_THROW(XmpPacket::requireMatch(packet, metadata));
    }
    EXPECT_THAT(XmpPacket::write(labelled()), HasSubstr("<xmpDM:name>AI modified</xmpDM:name>"));
    EXPECT_THAT(XmpPacket::write(unlabelled), ::testing::Not(HasSubstr("DigitalSourceType")));
}

TEST(XmpPacket, AnyDifferenceFromTheReviewIsAMismatch) {
    const std::string packet = XmpPacket::write(labelled());
    std::vector<DisclosureMetadata> others(5, labelled());
    others[0].digitalSourceType.reset();
    others[1].description += ".";
    others[2].frameRate = "f25";
    others[3].markers[1].durationFrames = 4;
    others[4].markers.pop_back();
    for (const DisclosureMetadata& other : others)
        EXPECT_EQ(testing::raisedMessage([&] { XmpPacket::requireMatch(packet, other); }), XmpPacket::kMismatch);
    EXPECT_EQ(testing::raisedMessage([&] { XmpPacket::requireMatch("", labelled()); }), XmpPacket::kMismatch);
}

// A packet whose AI disclosure track holds the given markers (inside an rdf:Seq).
std::string packetWithMarkers(const std::string& markers, const std::string& tracks = "") {
    return R"(<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">
<rdf:Description rdf:about="" xmlns:xmpDM="http://ns.adobe.com/xmp/1.0/DynamicMedia/"><xmpDM:Tracks><rdf:Bag>
<rdf:li rdf:parseType="Resource"><xmpDM:trackName>AI disclosure</xmpDM:trackName><xmpDM:frameRate>f25</xmpDM:frameRate>
<xmpDM:markers><rdf:Seq>)" + markers + "</rdf:Seq></xmpDM:markers></rdf:li>" + tracks +
           "</rdf:Bag></xmpDM:Tracks></rdf:Description></rdf:RDF></x:xmpmeta>";
}

std::string marker(const std::string& start, const std::string& duration, const std::string& name) {
    return R"(<rdf:li rdf:parseType="Resource"><xmpDM:startTime>)" + start + "</xmpDM:startTime><xmpDM:duration>" +
           duration + "</xmpDM:duration><xmpDM:name>" + name + "</xmpDM:name></rdf:li>";
}

std::string nested(int depth) {
    std::string text = R"(<x:xmpmeta xmlns:x="adobe:ns:meta/">)";
    for (int level = 0; level < depth; ++level) text += "<a>";
    for (int level = 0; level < depth; ++level) text += "</a>";
    return text + "</x:xmpmeta>";
}

TEST(XmpPacket, HostilePacketsGetAMessage) {
    const std::string secondTrack =
        R"(<rdf:li rdf:parseType="Resource"><xmpDM:trackName>AI disclosure</xmpDM:trackName></rdf:li>)";
    const std::string laughs = R"(<?xml version="1.0"?><!DOCTYPE x [<!ENTITY a "aaaaaaaaaa">
<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]><x>&c;</x>)";
    const struct {
        std::string packet;
        const char* message;
    } rows[] = {
        {"", "not well-formed XML"},
        {"<x:xmpmeta", "not well-formed XML"},
        {nested(100000), "not well-formed XML"},  // deeper than the toolkit's parser could follow
        {laughs, "not well-formed XML"},  // libxml2 refuses the entity expansion
        {R"(<!DOCTYPE x [<!ENTITY a "text">]><x:xmpmeta xmlns:x="adobe:ns:meta/"/>)",
         "document type declarations are not allowed"},
        {"<plain/>", "not XMP"},
        {R"(<x:xmpmeta xmlns:x="adobe:ns:meta/"/>)", "no AI disclosure track"},
        {packetWithMarkers("", secondTrack), "more than one AI disclosure track"},
        {packetWithMarkers(marker("-3", "1", "AI generated")), "startTime is not a frame count"},
        {packetWithMarkers(marker("1", "99999999999999999999", "AI generated")), "duration is not a frame count"},
        {packetWithMarkers(marker("1", "2 ", "AI generated")), "duration is not a frame count"},
        {packetWithMarkers(marker("1", "2", "AI perhaps")), "names no disclosure decision"},
        {packetWithMarkers(R"(<rdf:li rdf:parseType="Resource"><xmpDM:name>AI modified</xmpDM:name></rdf:li>)"),
         "startTime is missing"},
    };
    for (const auto& row : rows)
        EXPECT_THAT(testing::raisedMessage([&] { XmpPacket::read(row.packet); }), HasSubstr(row.message))
            << row.packet.substr(0, 300);
    EXPECT_EQ(XmpPacket::read(packetWithMarkers(marker("7", "3", "AI modified"))).markers,
              (std::vector<DisclosureMarker>{{7, 3, Disclosure::modified}}));
}

}  // namespace
}  // namespace marrowick
