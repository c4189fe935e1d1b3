// Where a delivery output's disclosure packet goes, and reading it back.
#include "delivery/output_disclosure.h"

#include "delivery/delivery_preset_json.h"
#include "disclosure/disclosure_metadata.h"
#include "disclosure/xmp_file.h"
#include "disclosure/xmp_packet.h"
#include "model/atomic_file.h"
#include "model/review_error.h"

namespace marrowick::MasteringExporter {
namespace {

bool embeds(const EncodeJob& job) {
    const std::string& container = job.plan.preset.encoding.container;
    return container == "mp4" || container == "mov";
}

DisclosureMetadata disclosureOf(const EncodeJob& job, const Project& project) {
    return disclosureMetadata(job.film, job.shots, project);
}

// The packet in the output or its sidecar; empty when there is none to read.
std::string packetOf(const EncodeJob& job, const std::filesystem::path& output) {
    try {
        return embeds(job) ? XmpFile::embeddedPacket(output) : DeliveryPresetJson::readFile(disclosureSidecar(output));
    } catch (const ReviewError&) {
        return {};
    }
}

}  // namespace

std::filesystem::path disclosureSidecar(const std::filesystem::path& output) {
    std::filesystem::path sidecar = output;
    return sidecar += ".xmp";
}

void writeDisclosure(const EncodeJob& job, const Project& project, const std::filesystem::path& output) {
    const std::string packet = XmpPacket::write(disclosureOf(job, project));
    if (!embeds(job)) return writeFileAtomically(disclosureSidecar(output), packet);
    const bool fastStart = job.plan.preset.encoding.faststart.value_or(false);
    XmpFile::embed(output, packet, fastStart ? XmpFile::Layout::indexFirst : XmpFile::Layout::asWritten);
}

void verifyDisclosure(const EncodeJob& job, const Project& project, const std::filesystem::path& output) {
    XmpPacket::requireMatch(packetOf(job, output), disclosureOf(job, project));
}

}  // namespace marrowick::MasteringExporter
