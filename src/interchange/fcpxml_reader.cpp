// Reading an FCPXML sequence's spine through libxml2.
#include "interchange/fcpxml_reader.h"

#include <charconv>

#include "interchange/internal/rational_seconds.h"
#include "interchange/internal/xml_document.h"
#include "model/review_error.h"

namespace marrowick::FcpxmlReader {

namespace {

[[noreturn]] void unreadable(const std::string& why) { throw ReviewError("The cut list cannot be read: " + why + "."); }

// Version text "1.8" as the pair (1, 8); (0, 0) when it does not read.
std::pair<int, int> versionOf(const std::string& text) {
    int major = 0, minor = 0;
    const char* end = text.data() + text.size();
    const auto [dot, error] = std::from_chars(text.data(), end, major);
    if (error != std::errc() || dot == end || *dot != '.') return {0, 0};
    if (std::from_chars(dot + 1, end, minor).ec != std::errc()) return {0, 0};
    return {major, minor};
}

void checkVersion(XmlElement root) {
    const std::string version = XmlDocument::attribute(root, "version").value_or("");
    if (versionOf(version) < std::pair(1, 8))
        throw ReviewError("Unsupported cut list: FCPXML version " + version + ". Export FCPXML 1.8 or later.");
}

double frameRateOf(XmlElement root, XmlElement sequence) {
    const std::optional<std::string> formatID = XmlDocument::attribute(sequence, "format");
    const XmlElement resources = XmlDocument::child(root, "resources");
    if (!formatID || !resources) return 0;
    for (XmlElement format : XmlDocument::children(resources, "format")) {
        if (XmlDocument::attribute(format, "id") != formatID) continue;
        const std::optional<double> frame =
            RationalSeconds::parse(XmlDocument::attribute(format, "frameDuration").value_or(""));
        return frame && *frame > 0 ? 1.0 / *frame : 0;
    }
    return 0;
}

std::optional<double> timeAttribute(XmlElement element, const char* name) {
    const std::optional<std::string> text = XmlDocument::attribute(element, name);
    return text ? RationalSeconds::parse(*text) : std::nullopt;
}

// An audition stands for its active pick, its first element child.
XmlElement timedElement(XmlElement element) {
    if (XmlDocument::name(element) != "audition") return element;
    const XmlElement pick = XmlDocument::child(element, {});
    return pick ? pick : element;
}

CutEvent eventOf(XmlElement element, std::size_t index) {
    const XmlElement timed = timedElement(element);
    const std::optional<double> offset = timeAttribute(timed, "offset");
    const std::optional<double> duration = timeAttribute(timed, "duration");
    if (!offset || !duration)
        unreadable("element " + std::to_string(index + 1) + " of the storyline has no offset or duration");
    const std::string name = XmlDocument::name(element);
    const CutKind kind = name == "transition" ? CutKind::transition : name == "gap" ? CutKind::gap : CutKind::clip;
    return {*offset, *offset + *duration, kind};
}

}  // namespace

CutList read(std::string_view text) {
    const XmlDocument document(text);
    const XmlElement root = document.root();
    if (XmlDocument::name(root) != "fcpxml") unreadable("it is not an FCPXML document");
    checkVersion(root);
    const XmlElement sequence = XmlDocument::find(root, "sequence");
    if (!sequence) unreadable("the file holds no sequence");
    CutList list;
    list.frameRate = frameRateOf(root, sequence);
    const XmlElement spine = XmlDocument::child(sequence, "spine");
    if (!spine) return list;
    const std::vector<XmlElement> elements = XmlDocument::children(spine);
    for (std::size_t i = 0; i < elements.size(); ++i) list.events.push_back(eventOf(elements[i], i));
    return list;
}

}  // namespace marrowick::FcpxmlReader
