// One encode with the real FFmpeg: refusals before FFmpeg runs, and what is left behind.
#include "delivery/mastering_encode.h"

#include <gtest/gtest.h>

#include "delivery/delivery_film_fixtures.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using namespace testing;

class MasteringEncodeTest : public EncodeScratchTest {
protected:
    void SetUp() override {
        EncodeScratchTest::SetUp();
        addReviewedFilm(project, copyFilm(scratch, "delivery-rec709.mov", "a.mov"), {0.5},
                        {Disclosure::generated, Disclosure::none});
    }
    MasteringExporter::EncodeJob job() const {
        const Film& film = project.films[0];
        const SourceProbe source = SourceProbe::read(film.path, realTools().ffprobe);
        return {film, {project.shots[0], project.shots[1]}, source,
                EncodePlan::make(cataloguePreset("master:prores_422"), film, source, Framing::pad, resourceRoot())};
    }

    std::string failureOf(const MasteringExporter::EncodeJob& job, const std::filesystem::path& to) const {
        return testing::raisedMessage(
            [&] { MasteringExporter::encode(job, project, realTools(), to, {}, {}, resourceRoot()); });
    }

    Project project;
};

TEST_F(MasteringEncodeTest, ProgressClimbsToOneAfterVerification) {
    std::vector<double> fractions;
    MasteringExporter::encode(job(), project, realTools(), scratch / "out" / "1-a.mov",
                              [&](double fraction) { fractions.push_back(fraction); }, {}, resourceRoot());
    ASSERT_GE(fractions.size(), 2u);
    EXPECT_EQ(fractions.back(), 1.0);
    for (std::size_t index = 0; index + 1 < fractions.size(); ++index) {
        EXPECT_GE(fractions[index], 0.0);
        EXPECT_LE(fractions[index], 0.99);
    }
    EXPECT_EQ(namesIn(scratch / "out"),
              (std::set<std::string>{"1-a.mov", "1-a.encoding.json", "1-a.ffprobe.json", "1-a.encoder.log"}));
}

TEST_F(MasteringEncodeTest, RefusesUnreviewedShotsAndChangedSources) {
    MasteringExporter::EncodeJob unreviewed = job();
    unreviewed.shots[1].disclosure = Disclosure::unreviewed;
    EXPECT_EQ(failureOf(unreviewed, scratch / "out" / "1-a.mov"), "Review every shot before video export.");

    MasteringExporter::EncodeJob changed = job();
    changed.film.sourceSHA256 = std::string(64, '0');
    EXPECT_EQ(failureOf(changed, scratch / "out" / "1-a.mov"), "Source changed since review: a.mov");
    EXPECT_TRUE(namesIn(scratch / "out").empty());
}

TEST_F(MasteringEncodeTest, AnExistingFileIsNeitherOverwrittenNorRemoved) {
    writeText(scratch / "out" / "1-a.mov", "someone else's file");
    EXPECT_NE(failureOf(job(), scratch / "out" / "1-a.mov").find("ffmpeg failed (1):"), std::string::npos);
    EXPECT_EQ(readText(scratch / "out" / "1-a.mov"), "someone else's file");
}

}  // namespace
}  // namespace marrowick
