// Fixtures of the tests that run the real FFmpeg: generated films, reviewed projects, stand-in tools.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "delivery/delivery_export.h"
#include "delivery/encode_fixtures.h"
#include "delivery/ffmpeg_tools.h"
#include "disclosure/disclosure_metadata.h"
#include "disclosure/safe_zones.h"

namespace marrowick::testing {

inline std::filesystem::path testFilm(const std::string& name) {
    return std::filesystem::path(MARROWICK_TEST_FILMS_DIR) / name;
}

inline FFmpegTools realTools() {
    const auto tools = MasteringExporter::tools("");
    if (!tools) throw std::logic_error("the tests need ffmpeg and ffprobe");
    return *tools;
}

// A copy of a generated film under another name: a 160x90, 25 fps film of `duration` seconds.
inline Film copyFilm(const ScratchFolder& folder, const std::string& film, const std::string& as,
                     double duration = 1.0) {
    std::filesystem::create_directories(folder / "films");
    const std::filesystem::path to = folder / "films" / as;
    std::filesystem::copy_file(testFilm(film), to);
    return filmAt(to.string(), duration, 160, 90);
}

// Adds the film with one reviewed shot per decision, splitting it at the given times.
inline void addReviewedFilm(Project& project, const Film& film, const std::vector<double>& cuts = {},
                            const std::vector<Disclosure>& decisions = {Disclosure::none}) {
    project.films.push_back(film);
    double start = 0;
    for (std::size_t index = 0; index <= cuts.size(); ++index) {
        const double end = index < cuts.size() ? cuts[index] : film.duration;
        project.shots.push_back(shotOf(film, start, end, decisions[index % decisions.size()]));
        start = end;
    }
}

// What the outputs of a 1 s, 25 fps film reviewed as generated up to 0.4 s and modified after it
// disclose (`addReviewedFilm(project, film, {0.4}, {Disclosure::generated, Disclosure::modified})`).
inline DisclosureMetadata generatedThenModified() {
    return {kCompositeWithTrainedAlgorithmicMedia, "Per-shot visible disclosure selected.", "f25",
            {{0, 10, Disclosure::generated}, {10, 15, Disclosure::modified}}};
}

inline DeliveryRequest requestFor(const Project& project, const std::vector<std::string>& keys,
                                  FFmpegTools tools = realTools()) {
    std::vector<DeliveryPreset> presets;
    for (const std::string& key : keys) presets.push_back(cataloguePreset(key));
    return {project, presets, Framing::pad, false, std::move(tools), resourceRoot(),
            SafeZones::profileIDs(SafeZones::load(resourceRoot()))};
}

// A stand-in "ffmpeg" shell script in a new folder `bin`, beside a link to the real ffprobe.
// "$REAL" in the script is the real ffmpeg.
inline FFmpegTools standInTools(const std::filesystem::path& bin, const std::string& script) {
    const FFmpegTools real = realTools();
    std::filesystem::create_directories(bin);
    writeText(bin / "ffmpeg", "#!/bin/sh\nREAL='" + real.ffmpeg.string() + "'\n" + script + "\n");
    std::filesystem::permissions(bin / "ffmpeg", std::filesystem::perms::owner_all);
    std::filesystem::create_symlink(real.ffprobe, bin / "ffprobe");
    return {bin / "ffmpeg", bin / "ffprobe"};
}

// The names in a folder, sorted.
inline std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

// A scratch folder with "out" for outputs and "tmp" as the temporary folder, where work folders
// and runner logs go: the test fails when any of them is left behind.
class EncodeScratchTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(scratch / "tmp");
        setenv("TMPDIR", (scratch / "tmp").c_str(), 1);
        std::filesystem::create_directories(scratch / "out");
    }
    void TearDown() override {
        EXPECT_TRUE(namesIn(scratch / "tmp").empty());
        unsetenv("TMPDIR");
    }
    std::filesystem::path out() const { return scratch / "out"; }

    ScratchFolder scratch;
};

}  // namespace marrowick::testing
