// Building the filter-graph script: base chain, label overlays and output colour tags.
#include "delivery/mastering_graph.h"

#include <array>
#include <charconv>
#include <string_view>

#include "disclosure/label_assets.h"
#include "disclosure/label_geometry.h"

namespace marrowick::MasteringExporter {
namespace {

constexpr const char* kRec709 = "bt709";
constexpr std::array<std::string_view, 5> kPrimaries{"bt709", "bt470bg", "smpte170m", "smpte240m", "bt2020"};
constexpr std::array<std::string_view, 6> kTransfers{"bt709",        "smpte170m", "smpte240m",
                                                     "iec61966-2-1", "gamma22",   "gamma28"};
constexpr std::array<std::string_view, 5> kMatrices{"bt709", "bt470bg", "smpte170m", "smpte240m", "bt2020nc"};

template <std::size_t N>
std::string acceptedOrRec709(const std::string* value, const std::array<std::string_view, N>& accepted) {
    if (!value) return kRec709;
    for (std::string_view name : accepted)
        if (*value == name) return *value;
    return kRec709;
}


std::string nineDecimals(double seconds) {
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), seconds,
                                      std::chars_format::fixed, 9);
    return std::string(buffer.data(), result.ptr);
}

std::string framingFilter(const EncodePlan& plan) {
    const std::string w = std::to_string(plan.width);
    const std::string h = std::to_string(plan.height);
    if (plan.framing == Framing::crop)
        return "scale=" + w + ":" + h +
               ":force_original_aspect_ratio=increase:force_divisible_by=2:flags=lanczos:out_range=tv,crop=" + w +
               ":" + h;
    return "scale=" + w + ":" + h +
           ":force_original_aspect_ratio=decrease:force_divisible_by=2:flags=lanczos:out_range=tv,pad=" + w + ":" +
           h + ":(ow-iw)/2:(oh-ih)/2";
}

std::string colourTags(const ColourTriple& colour) {
    return "color_primaries=" + colour.primaries + ":color_trc=" + colour.transfer + ":colorspace=" + colour.matrix;
}

std::string baseChain(const EncodePlan& plan, const ColourTriple& source, const ColourTriple& target) {
    const Encoding& encoding = plan.preset.encoding;
    std::string chain = "setpts=PTS-STARTPTS,setparams=" + colourTags(source) + "," + framingFilter(plan) +
                        ",setsar=1,format=";
    chain += encoding.videoCodec.find("4444") != std::string::npos ? "yuva444p10le" : "yuv444p10le";
    if (!isProRes(plan.preset.encoding.videoCodec) && source != target) chain += ",colorspace=all=bt709:range=tv";
    if (encoding.videoCodec == "mpeg2video") chain += ",setfield=tff";
    if (plan.fps) chain += ",fps=" + EncodePlan::fpsString(*plan.fps);
    return chain;
}

std::string overlay(const LabelRect& rect, const std::string& enable) {
    return "overlay=x=" + std::to_string(rect.x) + ":y=" + std::to_string(rect.y) + ":enable='" + enable +
           "':format=auto:alpha=straight:shortest=1";
}

}  // namespace

ColourTriple colour(const DeliveryPreset* preset, const SourceProbe* source) {
    if (preset && !isProRes(preset->encoding.videoCodec)) return {kRec709, kRec709, kRec709};
    return {acceptedOrRec709(source ? &source->primaries : nullptr, kPrimaries),
            acceptedOrRec709(source ? &source->transfer : nullptr, kTransfers),
            acceptedOrRec709(source ? &source->matrix : nullptr, kMatrices)};
}

std::string enableExpression(const std::vector<Shot>& shots, Disclosure disclosure) {
    std::string expression;
    for (const Shot& shot : shots) {
        if (shot.disclosure != disclosure) continue;
        if (!expression.empty()) expression += "+";
        expression += "(gte(t," + nineDecimals(shot.start) + ")*lt(t," + nineDecimals(shot.end) + "))";
    }
    return expression.empty() ? "0" : expression;
}

LabelRect labelRect(const EncodePlan& plan, const Project& project, Disclosure disclosure,
                    const std::filesystem::path& resourceRoot) {
    const double aspect =
        LabelAssets::aspect(resourceRoot, disclosure, LabelAssets::styleOrWhite(project.labelStyle));
    return LabelGeometry::rect(project, plan.preset.key, plan.width, plan.height, aspect);
}

std::string graph(const EncodePlan& plan, const std::vector<Shot>& shots, const Project& project,
                  const SourceProbe* source, const std::filesystem::path& resourceRoot) {
    const ColourTriple target = colour(&plan.preset, source);
    const ColourTriple sourceColour = source ? colour(nullptr, source) : target;
    const LabelRect generated = labelRect(plan, project, Disclosure::generated, resourceRoot);
    const LabelRect modified = labelRect(plan, project, Disclosure::modified, resourceRoot);
    return "[0:v:0]" + baseChain(plan, sourceColour, target) + "[base];[base][1:v:0]" +
           overlay(generated, enableExpression(shots, Disclosure::generated)) + "[m];[m][2:v:0]" +
           overlay(modified, enableExpression(shots, Disclosure::modified)) + ",format=" +
           plan.preset.encoding.pixelFormat.value_or("") + ",setparams=range=limited:" + colourTags(target) +
           "[outv]";
}

}  // namespace marrowick::MasteringExporter
