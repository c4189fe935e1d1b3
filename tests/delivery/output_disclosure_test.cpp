// The disclosure packet of delivery outputs: inside MOV and MP4, in a sidecar beside WebM and MXF,
// and the check that reads it back.
#include "delivery/output_disclosure.h"

#include <gtest/gtest.h>

#include "delivery/delivery_film_fixtures.h"
#include "disclosure/xmp_packet.h"
#include "disclosure/xmp_readback.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using namespace testing;

class OutputDisclosureTest : public EncodeScratchTest {
protected:
    void SetUp() override {
        EncodeScratchTest::SetUp();
        addReviewedFilm(project, copyFilm(scratch, "delivery-rec709.mov", "a.mov"), {0.4},
                        {Disclosure::generated, Disclosure::modified});
    }
    MasteringExporter::EncodeJob job(const std::string& key) const {
        return {project.films[0], {project.shots[0], project.shots[1]}, {}, planFor(cataloguePreset(key))};
    }
    // A finished output of the given name: a real movie, or a placeholder for other containers.
    std::filesystem::path output(const std::string& name) const {
        const std::filesystem::path path = out() / name;
        if (path.extension() == ".mov" || path.extension() == ".mp4")
            std::filesystem::copy_file(testFilm("delivery-rec709.mov"), path);
        else
            writeText(path, "encoded programme");
        return path;
    }
    std::string failureOf(const MasteringExporter::EncodeJob& job, const std::filesystem::path& output) const {
        return testing::raisedMessage([&] { MasteringExporter::verifyDisclosure(job, project, output); });
    }

    Project project;
};

TEST_F(OutputDisclosureTest, MoviesCarryThePacketOtherContainersASidecar) {
    const struct {
        const char* key;
        const char* name;
        bool embedded;
    } rows[] = {
        {"master:prores_422", "1-a.mov", true},
        {"web_h264_1080p", "2-a.mp4", true},
        {"web_vp9_webm_1080p", "3-a.webm", false},
        {"xdcam_hd422_pal_tvc", "4-a.mxf", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::filesystem::path file = output(row.name);
        MasteringExporter::writeDisclosure(job(row.key), project, file);
        EXPECT_EQ(failureOf(job(row.key), file), "");
        const std::filesystem::path sidecar = MasteringExporter::disclosureSidecar(file);
        EXPECT_EQ(std::filesystem::exists(sidecar), !row.embedded);
        EXPECT_EQ(exiftoolDisclosure(row.embedded ? file : sidecar), generatedThenModified());
        if (row.embedded) {
            EXPECT_EQ(exempiDisclosure(file), generatedThenModified());
        } else {
            EXPECT_EQ(readText(file), "encoded programme");
        }
    }
    EXPECT_EQ(MasteringExporter::disclosureSidecar(out() / "3-a.webm").filename(), "3-a.webm.xmp");
}

TEST_F(OutputDisclosureTest, APacketThatIsMissingOrTellsAnotherStoryFailsTheCheck) {
    const std::filesystem::path movie = output("1-a.mov");
    EXPECT_EQ(failureOf(job("master:prores_422"), movie), XmpPacket::kMismatch);  // no packet yet
    MasteringExporter::writeDisclosure(job("master:prores_422"), project, movie);
    MasteringExporter::EncodeJob redecided = job("master:prores_422");
    redecided.shots[1].disclosure = Disclosure::none;
    EXPECT_EQ(failureOf(redecided, movie), XmpPacket::kMismatch);

    const std::filesystem::path webm = output("2-a.webm");
    EXPECT_EQ(failureOf(job("web_vp9_webm_1080p"), webm), XmpPacket::kMismatch);  // no sidecar
    MasteringExporter::writeDisclosure(job("web_vp9_webm_1080p"), project, webm);
    writeText(MasteringExporter::disclosureSidecar(webm), "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"/>");
    EXPECT_EQ(failureOf(job("web_vp9_webm_1080p"), webm), XmpPacket::kMismatch);
}

}  // namespace
}  // namespace marrowick
