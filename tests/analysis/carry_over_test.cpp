// Carrying decisions to versions of a generated film: what must carry, and what never may.
#include "analysis/carry_over.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>

#include "analysis/file_fingerprint.h"
#include "analysis/version_matching.h"
#include "analysis/test_films.h"
#include "analysis/version_films.h"

namespace marrowick {
namespace {

using testing::DetectedFilm;
using testing::detectVersion;
using D = std::optional<Disclosure>;
constexpr D kNone = Disclosure::none, kGen = Disclosure::generated, kMod = Disclosure::modified, kNo = std::nullopt;

// An earlier film and the decisions of its shots.
struct Review {
    const char* film;
    std::vector<Disclosure> decisions;
};

// The base film's six shots of 1.2 s, decided except the last.
const Review kBase{"base.mkv",
                   {Disclosure::none, Disclosure::generated, Disclosure::modified, Disclosure::generated,
                    Disclosure::none, Disclosure::unreviewed}};
// Its two random patterns drawn with another seed.
const Review kTextured{"textured.mkv", {Disclosure::modified, Disclosure::generated}};

EarlierFilm reviewed(const Review& review) {
    DetectedFilm earlier = detectVersion(review.film);
    EXPECT_EQ(earlier.shots.size(), review.decisions.size());
    for (std::size_t i = 0; i < earlier.shots.size() && i < review.decisions.size(); ++i)
        earlier.shots[i].disclosure = review.decisions[i];
    return {earlier.film, earlier.shots, ""};
}

EarlierFilm reviewedBase() { return reviewed(kBase); }

std::vector<D> suggestions(const std::vector<Shot>& shots) {
    std::vector<D> result;
    for (const Shot& shot : shots) result.push_back(shot.carriedFrom ? D(shot.carriedFrom->disclosure) : kNo);
    return result;
}

struct Carried {
    std::vector<Shot> shots;
    CarryReport report;
};

Carried carryTo(const DetectedFilm& later, std::vector<EarlierFilm> earlier,
                std::optional<SignatureCache> cache = std::nullopt) {
    CarryOver carry(std::move(earlier), std::move(cache));
    Carried result{later.shots, {}};
    result.report = carry.apply(later.film, result.shots, *later.signatures);
    return result;
}

struct VersionCase {
    const char* film;
    std::vector<D> expected;  // per detected shot
    const Review* earlier = &kBase;
};

class VersionCarry : public ::testing::TestWithParam<VersionCase> {};

// A cache holding the earlier film's keys from its import, so that only the frames of candidate
// runs are decoded again for verification.
SignatureCache warmCache(const testing::TemporaryFolder& folder, const Review& review, const EarlierFilm& earlier) {
    const SignatureCache cache(folder.path());
    CarryOver({}, cache).remember(earlier.film, detectVersion(review.film).signatures->keys);
    return cache;
}

// The same suggestions whether the earlier film is decoded whole or, its keys cached, span by span.
TEST_P(VersionCarry, CarriesExactlyTheUnchangedShots) {
    const VersionCase& version = GetParam();
    const testing::TemporaryFolder folder;
    const EarlierFilm earlier = reviewed(*version.earlier);
    ASSERT_TRUE(earlier.film.sourceSHA256);
    const SignatureCache cache = warmCache(folder, *version.earlier, earlier);
    std::optional<std::vector<std::string>> notes;
    for (const std::optional<SignatureCache>& cacheOrNot : {std::optional<SignatureCache>(), std::optional(cache)}) {
        const Carried carried = carryTo(detectVersion(version.film), {earlier}, cacheOrNot);
        EXPECT_EQ(suggestions(carried.shots), version.expected) << (cacheOrNot ? "keys cached" : "no cache");
        EXPECT_EQ(carried.report.notes, notes.value_or(carried.report.notes)) << "the same notes either way";
        notes = carried.report.notes;
        for (const Shot& shot : carried.shots)
            EXPECT_EQ(shot.disclosure, Disclosure::unreviewed) << "a carried decision is never made for the reviewer";
    }
}

// Re-edits, re-encodes and rescales keep their decisions; the shot new to the film and the shot
// never reviewed get none.
INSTANTIATE_TEST_SUITE_P(Versions, VersionCarry,
                         ::testing::Values(VersionCase{"base.mkv", {kNone, kGen, kMod, kGen, kNone, kNo}},
                                           VersionCase{"reordered.mkv", {kGen, kNone, kGen, kNo, kNone, kMod}},
                                           VersionCase{"trimmed.mkv", {kNone, kGen, kMod, kGen, kNone, kNo}},
                                           VersionCase{"removed.mkv", {kNone, kGen, kGen, kNone, kNo}},
                                           VersionCase{"inserted.mkv", {kNone, kGen, kNo, kMod, kGen, kNone, kNo}},
                                           VersionCase{"reencoded.avi", {kNone, kGen, kMod, kGen, kNone, kNo}},
                                           VersionCase{"rescaled.mp4", {kNone, kGen, kMod, kGen, kNone, kNo}}),
                         [](const auto& info) { return std::filesystem::path(info.param.film).stem().string(); });

// Changes to the picture or its timing: the changed shots never carry anything.
INSTANTIATE_TEST_SUITE_P(Changes, VersionCarry,
                         ::testing::Values(VersionCase{"brighter.mkv", {kNo, kNo, kNo, kNo, kNo, kNo}},
                                           VersionCase{"reframed.mkv", {kNo, kNo, kNo, kNo, kNo, kNo}},
                                           VersionCase{"patched.mkv", {kNone, kNo, kMod, kGen, kNone, kNo}},
                                           VersionCase{"retouched.mkv", {kNone, kGen, kMod, kNo, kNone, kNo}},
                                           VersionCase{"faster.mkv", {kNo, kNo, kNo, kNo, kNo, kNo}},
                                           VersionCase{"thirty.mkv", {kNo, kNo, kNo, kNo, kNo, kNo}}),
                         [](const auto& info) { return std::filesystem::path(info.param.film).stem().string(); });

// Fine random texture re-encoded and rescaled: its unchanged shots carry, its patched one never.
INSTANTIATE_TEST_SUITE_P(Texture, VersionCarry,
                         ::testing::Values(VersionCase{"textured.mkv", {kMod, kGen}, &kTextured},
                                           VersionCase{"textured-reencoded.avi", {kMod, kGen}, &kTextured},
                                           VersionCase{"textured-rescaled.mp4", {kMod, kGen}, &kTextured},
                                           VersionCase{"textured-patched.mkv", {kMod, kNo}, &kTextured}),
                         [](const auto& info) {
                             std::string name = std::filesystem::path(info.param.film).stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(CarryOver, RecordsTheEarlierFramesAndFilm) {
    const EarlierFilm base = reviewedBase();
    const Carried carried = carryTo(detectVersion("trimmed.mkv"), {base});
    ASSERT_TRUE(carried.shots.front().carriedFrom);
    const CarriedDecision& first = *carried.shots.front().carriedFrom;
    EXPECT_EQ(first.filmID, base.film.id);
    EXPECT_NEAR(first.start, 0.4, 1e-6);  // the version starts ten frames in
    EXPECT_NEAR(first.end, 1.2, 1e-6);
    EXPECT_EQ(carried.report.carried, 5u);
    EXPECT_EQ(carried.report.summary("trimmed.mkv"), "Carried earlier decisions to 5 of 6 shots of trimmed.mkv.");
}

// New shots drawn over the base film itself: one inside a decided shot, one across a cut between
// two different decisions, one reaching into the unreviewed shot.
TEST(CarryOver, ShotsAcrossDifferentDecisionsOrUnreviewedFramesGetNothing) {
    DetectedFilm later = detectVersion("base.mkv");
    std::vector<Shot> drawn(3, later.shots.front());
    drawn[0].start = 0.2, drawn[0].end = 1.0;   // inside "none"
    drawn[1].start = 1.0, drawn[1].end = 1.6;   // "none" then "generated"
    drawn[2].start = 5.6, drawn[2].end = 6.2;   // "none" then unreviewed
    later.shots = drawn;
    EXPECT_EQ(suggestions(carryTo(later, {reviewedBase()}).shots), (std::vector<D>{kNone, kNo, kNo}));
}

TEST(CarryOver, TwoEarlierFilmsThatDisagreeCarryNothing) {
    EarlierFilm other = reviewedBase();
    other.film.id = Uuid::random();
    other.shots[1].disclosure = Disclosure::modified;  // shot 1 was judged differently there
    const Carried carried = carryTo(detectVersion("removed.mkv"), {reviewedBase(), other});
    EXPECT_EQ(suggestions(carried.shots), (std::vector<D>{kNone, kNo, kGen, kNone, kNo}));
}

TEST(CarryOver, SkipsEarlierFilmsItCannotTrustWithANote) {
    struct Case {
        const char* name;
        void (*spoil)(EarlierFilm&);
        const char* note;
    };
    const Case cases[] = {
        {"missing", [](EarlierFilm& e) { e.film.path = "/nonexistent/base.mkv"; },
         "base.mkv is missing, so its decisions were not carried."},
        {"changed", [](EarlierFilm& e) { e.film.sourceSHA256 = std::string(64, '0'); },
         "base.mkv has changed since its review, so its decisions were not carried."},
        {"other rate", [](EarlierFilm& e) { e.film.fps = 30; },
         "base.mkv runs at 30 fps and this film at 25 fps; films of different frame rates are not matched."},
    };
    for (const Case& c : cases) {
        EarlierFilm earlier = reviewedBase();
        c.spoil(earlier);
        const Carried carried = carryTo(detectVersion("reordered.mkv"), {earlier});
        EXPECT_EQ(carried.report.carried, 0u) << c.name;
        EXPECT_EQ(carried.report.notes, std::vector<std::string>{c.note}) << c.name;
    }
}

TEST(CarryOver, KeepsEarlierKeysInTheCacheAndSurvivesADamagedOne) {
    testing::TemporaryFolder folder;
    EarlierFilm base = reviewedBase();
    base.film.sourceSHA256 = FileFingerprint::sha256(base.film.path);
    const SignatureCache cache(folder.path());
    const std::vector<D> expected{kGen, kNone, kGen, kNo, kNone, kMod};
    EXPECT_EQ(suggestions(carryTo(detectVersion("reordered.mkv"), {base}, cache).shots), expected);
    const std::filesystem::path file = *cache.fileOf(*base.film.sourceSHA256);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(std::filesystem::file_size(file), 24u + 80u * 180u);
    // From the cache, then from a damaged cache file (read again from the film).
    EXPECT_EQ(suggestions(carryTo(detectVersion("reordered.mkv"), {base}, cache).shots), expected);
    std::filesystem::resize_file(file, 1000);
    EXPECT_EQ(suggestions(carryTo(detectVersion("reordered.mkv"), {base}, cache).shots), expected);
}

}  // namespace
}  // namespace marrowick
