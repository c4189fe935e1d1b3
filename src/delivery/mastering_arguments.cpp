// Building FFmpeg's argument vector, block by block in the order FFmpeg is given them.
#include "delivery/mastering_arguments.h"

#include <regex>

#include "delivery/mastering_graph.h"
#include "model/decimal_text.h"

namespace marrowick::MasteringExporter {
namespace {

using Arguments = std::vector<std::string>;

void append(Arguments& to, std::initializer_list<std::string> more) { to.insert(to.end(), more); }

std::string kilobits(std::int64_t value) { return std::to_string(value) + "k"; }

bool isXdcam(const Encoding& encoding) { return encoding.videoCodec == "mpeg2video"; }

void appendAudioMapping(Arguments& out, const Encoding& encoding) {
    const std::string& codec = encoding.audio.codec;
    if (isXdcam(encoding))
        append(out, {"-map", "0:a:0", "-map", "0:a:0", "-filter:a:0", "pan=mono|c0=c0", "-filter:a:1",
                     "pan=mono|c0=c1"});
    else if (codec == "pcm_s24le" || codec == "copy")
        append(out, {"-map", "0:a?"});
    else if (codec == "aac" || codec == "opus")
        append(out, {"-map", "0:a:0?"});
}

void appendCodecOptions(Arguments& out, const DeliveryPreset& preset) {
    const Encoding& encoding = preset.encoding;
    const std::string& codec = encoding.videoCodec;
    append(out, {"-sn", "-dn", "-c:v", preset.encoder(), "-threads", "2", "-pix_fmt:v",
                 encoding.pixelFormat.value_or("")});
    if (codec == "h264" || codec == "hevc") append(out, {"-preset", encoding.encoderPreset.value_or("slow")});
    if (codec == "hevc") append(out, {"-tag:v", "hvc1", "-x265-params", "pools=2:frame-threads=2"});
    if (codec == "vp9")
        append(out, {"-deadline", encoding.encoderPreset.value_or("good"), "-cpu-used", "2", "-row-mt", "1"});
    if (encoding.rateControl.mode == RateMode::cbr && codec == "h264") append(out, {"-x264-params", "nal-hrd=cbr:filler=1"});
    if (encoding.videoProfile) append(out, {"-profile:v", *encoding.videoProfile});
    if (codec.starts_with("prores")) append(out, {"-vendor", "apl0"});
}

void appendRateControl(Arguments& out, const Encoding& encoding) {
    const Rate& rate = encoding.rateControl;
    if (rate.mode == RateMode::crf) {
        append(out, {"-crf", decimalText(rate.crf.value_or(0))});
        if (encoding.videoCodec == "vp9") append(out, {"-b:v", "0"});
    }
    if (rate.bitrateKbps) append(out, {"-b:v", kilobits(*rate.bitrateKbps)});
    if (rate.minrateKbps) append(out, {"-minrate:v", kilobits(*rate.minrateKbps)});
    if (rate.maxrateKbps) append(out, {"-maxrate:v", kilobits(*rate.maxrateKbps)});
    if (rate.bufsizeKbps) append(out, {"-bufsize:v", kilobits(*rate.bufsizeKbps)});
    if (rate.bufsizeBits) append(out, {"-bufsize:v", std::to_string(*rate.bufsizeBits)});
}

void appendAudioCodec(Arguments& out, const Audio& audio) {
    if (audio.codec == "none") {
        out.push_back("-an");
        return;
    }
    append(out, {"-c:a", audio.codec == "opus" ? "libopus" : audio.codec});
    if (audio.codec == "copy") return;
    if (audio.sampleRate) append(out, {"-ar:a", std::to_string(*audio.sampleRate)});
    if (audio.channels) append(out, {"-ac:a", std::to_string(*audio.channels)});
    if (audio.bitrateKbps) append(out, {"-b:a", kilobits(*audio.bitrateKbps)});
}

// The recipe's "video" "intraMatrix" as decimal integers joined with ","; empty when absent.
std::string intraMatrix(const Encoding& encoding) {
    if (!encoding.advancedRecipe) return "";
    const JSONValue* video = encoding.advancedRecipe->member("video");
    const JSONValue* matrix = video ? video->member("intraMatrix") : nullptr;
    const auto values = matrix ? matrix->integerList() : std::nullopt;
    if (!values) return "";
    std::string text;
    for (std::int64_t value : *values) text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

std::string flatInterMatrix() {
    std::string text = "16";
    for (int i = 1; i < 64; ++i) text += ",16";
    return text;
}

// `dcOption` sets the intra DC precision above 8 bits (1: 9 bits), under the name this ffmpeg uses.
void appendXdcamBlock(Arguments& out, const Encoding& encoding, const std::string& dcOption) {
    append(out, {"-level:v", "2", "-g:v", "12", "-bf:v", "2", "-b_strategy:v", "0", "-mpv_flags:v", "+strict_gop",
                 "-sc_threshold:v", "1000000000", "-flags:v", "+ildct+ilme", "-field_order:v", "tt",
                 dcOption + ":v", "1", "-intra_vlc:v", "1", "-non_linear_quant:v", "1", "-alternate_scan:v",
                 "1", "-qmax:v", "28", "-seq_disp_ext:v", "always", "-video_format:v", "component", "-aspect:v",
                 "16:9", "-intra_matrix:v", intraMatrix(encoding), "-inter_matrix:v", flatInterMatrix(),
                 "-map_metadata", "-1", "-map_chapters", "-1", "-metadata", "timecode=00:00:00:00",
                 "-signal_standard", "smpte274m", "-f", "mxf"});
}

bool wellFormedTimecode(const std::string& timecode) {
    static const std::regex pattern("^[0-9]{2}:[0-9]{2}:[0-9]{2}[:;][0-9]{2}$");
    return std::regex_match(timecode, pattern);
}

void appendContainer(Arguments& out, const Encoding& encoding, const SourceProbe& source, const std::string& dcOption) {
    if (encoding.faststart.value_or(false)) append(out, {"-movflags", "+faststart"});
    if (isXdcam(encoding)) {
        appendXdcamBlock(out, encoding, dcOption);
        return;
    }
    append(out, {"-map_metadata", "0"});
    if (encoding.container == "mov" && source.timecode && wellFormedTimecode(*source.timecode))
        append(out, {"-timecode", *source.timecode});
}

}  // namespace

std::vector<std::string> arguments(const EncodePlan& plan, const Film& film, const SourceProbe& source,
                                   const EncodeFiles& files, const std::string& dcOption) {
    const DeliveryPreset& preset = plan.preset;
    const Encoding& encoding = preset.encoding;
    Arguments out{"-hide_banner", "-nostdin", "-n", "-filter_complex_threads", "2", "-threads", "2",
                  "-i",           film.path};
    append(out, {"-loop", "1", "-framerate", "25", "-i", files.generated.string()});
    append(out, {"-loop", "1", "-framerate", "25", "-i", files.modified.string()});
    append(out, {"-filter_complex_script", files.graph.string(), "-map", "[outv]"});
    appendAudioMapping(out, encoding);
    appendCodecOptions(out, preset);
    appendRateControl(out, encoding);
    const ColourTriple target = colour(&preset, &source);
    append(out, {"-color_primaries:v", target.primaries, "-color_trc:v", target.transfer, "-colorspace:v",
                 target.matrix, "-color_range:v", "tv"});
    appendAudioCodec(out, encoding.audio);
    appendContainer(out, encoding, source, dcOption);
    append(out, {"-t", decimalText(film.duration), "-progress", "pipe:1", "-nostats", files.output.string()});
    return out;
}

}  // namespace marrowick::MasteringExporter
