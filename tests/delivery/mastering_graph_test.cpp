#include "delivery/mastering_graph.h"

#include <gtest/gtest.h>

#include "delivery/encode_fixtures.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using namespace testing;
using MasteringExporter::colour;
using MasteringExporter::ColourTriple;
using MasteringExporter::graph;

std::string graphOf(const EncodePlan& plan, const SourceProbe* source, const std::vector<Shot>& shots = {}) {
    return graph(plan, shots, Project{}, source, resourceRoot());
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(MasteringColour, DeliveriesAreRec709AndMastersPassAcceptedSourceTags) {
    const DeliveryPreset web = cataloguePreset("web_h264_1080p");
    const DeliveryPreset master = cataloguePreset("master:prores_422hq");
    SourceProbe source = probeTagged("smpte170m");
    source.transfer = "smpte2084";  // not accepted: becomes Rec.709
    EXPECT_EQ(colour(&web, &source), (ColourTriple{"bt709", "bt709", "bt709"}));
    EXPECT_EQ(colour(&master, &source), (ColourTriple{"smpte170m", "bt709", "smpte170m"}));
    EXPECT_EQ(colour(nullptr, &source), (ColourTriple{"smpte170m", "bt709", "smpte170m"}));
    EXPECT_EQ(colour(&master, nullptr), (ColourTriple{"bt709", "bt709", "bt709"}));
    source.primaries = "bt2020";
    source.transfer = "iec61966-2-1";
    source.matrix = "bt2020nc";
    EXPECT_EQ(colour(nullptr, &source), (ColourTriple{"bt2020", "iec61966-2-1", "bt2020nc"}));
    source.matrix = "bt2020c";
    EXPECT_EQ(colour(nullptr, &source).matrix, "bt709");
}

TEST(MasteringGraph, WholeScriptForAWebDelivery) {
    const EncodePlan plan = planFor(cataloguePreset("web_h264_1080p"));
    const SourceProbe source = probeTagged("bt709");
    const Film film = filmAt("/films/a.mov", 20);
    const std::vector<Shot> shots{shotOf(film, 0, 12.5, Disclosure::none),
                                  shotOf(film, 12.5, 15.25, Disclosure::generated),
                                  shotOf(film, 15.25, 16, Disclosure::modified),
                                  shotOf(film, 16, 20, Disclosure::generated)};
    const Project project;
    const LabelRect g = MasteringExporter::labelRect(plan, project, Disclosure::generated, resourceRoot());
    const LabelRect m = MasteringExporter::labelRect(plan, project, Disclosure::modified, resourceRoot());
    const std::string expected =
        "[0:v:0]setpts=PTS-STARTPTS,setparams=color_primaries=bt709:color_trc=bt709:colorspace=bt709,"
        "scale=1920:1080:force_original_aspect_ratio=decrease:force_divisible_by=2:flags=lanczos:out_range=tv,"
        "pad=1920:1080:(ow-iw)/2:(oh-ih)/2,setsar=1,format=yuv444p10le[base];[base][1:v:0]overlay=x=" +
        std::to_string(g.x) + ":y=" + std::to_string(g.y) +
        ":enable='(gte(t,12.500000000)*lt(t,15.250000000))+(gte(t,16.000000000)*lt(t,20.000000000))'"
        ":format=auto:alpha=straight:shortest=1[m];[m][2:v:0]overlay=x=" +
        std::to_string(m.x) + ":y=" + std::to_string(m.y) +
        ":enable='(gte(t,15.250000000)*lt(t,16.000000000))':format=auto:alpha=straight:shortest=1,"
        "format=yuv420p,setparams=range=limited:color_primaries=bt709:color_trc=bt709:colorspace=bt709[outv]";
    EXPECT_EQ(graph(plan, shots, project, &source, resourceRoot()), expected);
    // The default corner is bottom right: both labels sit in the frame's lower right quarter.
    EXPECT_GT(g.x, 960);
    EXPECT_GT(g.y, 540);
}

TEST(MasteringGraph, LabelsFollowTheLayoutStoredForThePresetKey) {
    const EncodePlan plan = planFor(cataloguePreset("web_h264_1080p"));
    Project project;
    const LabelRect before = MasteringExporter::labelRect(plan, project, Disclosure::generated, resourceRoot());
    project.corner = "Top left";
    const LabelRect after = MasteringExporter::labelRect(plan, project, Disclosure::generated, resourceRoot());
    EXPECT_LT(after.x, before.x);
    EXPECT_LT(after.y, before.y);
    EXPECT_TRUE(contains(graph(plan, {}, project, nullptr, resourceRoot()),
                         "overlay=x=" + std::to_string(after.x) + ":y=" + std::to_string(after.y) + ":"));
}

TEST(MasteringGraph, WithoutDecidedShotsBothLabelsStayOff) {
    const std::string script = graphOf(planFor(cataloguePreset("web_h264_1080p")), nullptr);
    EXPECT_TRUE(contains(script, "[base][1:v:0]overlay="));
    const std::size_t first = script.find(":enable='0':");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(script.rfind(":enable='0':"), first);
    EXPECT_TRUE(contains(script, "[m][2:v:0]overlay="));
}

TEST(MasteringGraph, ColourConversionOnlyWhereTagsChangeOutsideProRes) {
    const SourceProbe ntsc = probeTagged("smpte170m");
    const std::string master = graphOf(planFor(cataloguePreset("master:prores_422hq")), &ntsc);
    EXPECT_FALSE(contains(master, "colorspace=all"));
    EXPECT_TRUE(contains(master, "setparams=color_primaries=smpte170m:color_trc=smpte170m:colorspace=smpte170m,"));
    EXPECT_TRUE(contains(master, "setparams=range=limited:color_primaries=smpte170m:color_trc=smpte170m:"
                                 "colorspace=smpte170m[outv]"));

    const std::string web = graphOf(planFor(cataloguePreset("web_h264_1080p")), &ntsc);
    EXPECT_TRUE(contains(web, "format=yuv444p10le,colorspace=all=bt709:range=tv[base]"));
    EXPECT_TRUE(contains(web, "colorspace=bt709[outv]"));

    const SourceProbe rec709 = probeTagged("bt709");
    for (const char* key : {"web_h264_1080p", "master:prores_4444", "xdcam_hd422_pal_tvc", "web_vp9_webm_1080p"})
        EXPECT_FALSE(contains(graphOf(planFor(cataloguePreset(key)), &rec709), "colorspace=all")) << key;
    // Without a probe the source is taken to be what the target is.
    EXPECT_FALSE(contains(graphOf(planFor(cataloguePreset("web_h264_1080p")), nullptr), "colorspace=all"));
}

TEST(MasteringGraph, ChainFollowsCodecFramingAndRate) {
    EncodePlan xdcam = planFor(cataloguePreset("xdcam_hd422_pal_tvc"));
    xdcam.fps = 25;
    const std::string interlaced = graphOf(xdcam, nullptr);
    EXPECT_TRUE(contains(interlaced, "format=yuv444p10le,setfield=tff,fps=25.0[base]"));
    EXPECT_TRUE(contains(interlaced, ",format=yuv422p,setparams=range=limited:"));

    EncodePlan ntsc = planFor(cataloguePreset("web_h264_1080p"), 1280, 720);
    ntsc.fps = 29.97;
    ntsc.framing = Framing::crop;
    const std::string converted = graphOf(ntsc, nullptr);
    EXPECT_TRUE(contains(converted, "scale=1280:720:force_original_aspect_ratio=increase:force_divisible_by=2:"
                                    "flags=lanczos:out_range=tv,crop=1280:720,setsar=1"));
    EXPECT_TRUE(contains(converted, ",fps=30000/1001[base]"));

    const std::string alpha = graphOf(planFor(cataloguePreset("master:prores_4444xq")), nullptr);
    EXPECT_TRUE(contains(alpha, "format=yuva444p10le[base]"));
    EXPECT_TRUE(contains(alpha, ",format=yuva444p10le,setparams=range=limited"));
}

TEST(MasteringGraph, EnableTimesKeepNineDecimalsOfAnyRange) {
    const Film film = filmAt("/f.mov", 4000);
    const std::vector<Shot> shots{shotOf(film, 0.1, 1.0 / 3.0, Disclosure::modified),
                                  shotOf(film, 3599.04, 3600, Disclosure::modified)};
    EXPECT_EQ(MasteringExporter::enableExpression(shots, Disclosure::modified),
              "(gte(t,0.100000000)*lt(t,0.333333333))+(gte(t,3599.040000000)*lt(t,3600.000000000))");
    EXPECT_EQ(MasteringExporter::enableExpression(shots, Disclosure::generated), "0");
}

TEST(MasteringGraph, MissingArtworkIsReported) {
    ScratchFolder empty;
    EXPECT_EQ(testing::raisedMessage(
                  [&] { graph(planFor(cataloguePreset("web_h264_1080p")), {}, Project{}, nullptr, empty.path()); }),
              "Official label artwork missing.");
}

}  // namespace
}  // namespace marrowick
