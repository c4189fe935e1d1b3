// Frame details read span by span against those of a whole decode, on versions of a generated film.
#include "analysis/span_details.h"

#include <gtest/gtest.h>

#include "analysis/signature_reader.h"
#include "analysis/version_films.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

TEST(SpanDetails, JoinsOverlappingAndTouchingSpansOnly) {
    struct Case {
        const char* name;
        std::vector<FrameSpan> spans, joined;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"empty spans dropped", {{4, 0}, {9, 2}}, {{9, 2}}},
        {"out of order", {{20, 5}, {0, 5}}, {{0, 5}, {20, 5}}},
        {"touching", {{0, 5}, {5, 5}}, {{0, 10}}},
        {"one frame apart", {{0, 5}, {6, 5}}, {{0, 5}, {6, 5}}},
        {"inside another", {{0, 30}, {10, 5}, {28, 10}}, {{0, 38}}},
    };
    for (const Case& c : cases) EXPECT_EQ(joinedSpans(c.spans), c.joined) << c.name;
}

TEST(SpanDetails, HoldsOnlyTheFramesAdded) {
    SpanDetails details;
    FrameDetail detail;
    for (std::size_t frame : {3u, 4u, 5u, 9u}) {
        detail.values[0] = static_cast<std::uint8_t>(frame);
        details.add(frame, detail);
    }
    EXPECT_TRUE(details.holds(3, 3));
    EXPECT_TRUE(details.holds(9, 1));
    EXPECT_FALSE(details.holds(2, 2));
    EXPECT_FALSE(details.holds(5, 2));
    EXPECT_FALSE(details.holds(6, 1));
    EXPECT_EQ(details.at(5).values[0], 5);
    EXPECT_EQ(details.at(9).values[0], 9);
    EXPECT_THROW(details.at(7), ReviewError);
    EXPECT_THROW(details.add(8, detail), ReviewError) << "frames are added in order";
}

// Spans at the start, inside a group of pictures, across shots and at the end of the film, and
// two spans close enough to be read on without a seek.
const std::vector<FrameSpan> kSpans = {{0, 4}, {47, 20}, {70, 3}, {133, 30}, {171, 9}};

class SpanReading : public ::testing::TestWithParam<const char*> {};

TEST_P(SpanReading, GivesTheDetailsOfAWholeDecode) {
    const std::filesystem::path film = testing::versionFilm(GetParam());
    const FilmSignatures whole = readSignatures(film, true);
    ASSERT_EQ(whole.keys.keys.size(), 180u);
    const std::optional<SpanDetails> read = readSpanDetails(film, whole.keys, kSpans);
    ASSERT_TRUE(read);
    for (const FrameSpan& span : kSpans)
        for (std::size_t frame = span.first; frame < span.first + span.count; ++frame)
            ASSERT_EQ(read->at(frame).values, whole.details->at(frame).values) << "frame " << frame;
    EXPECT_FALSE(read->holds(10, 1));
}

TEST_P(SpanReading, RefusesAFilmThatNoLongerDecodesAsIndexed) {
    const std::filesystem::path film = testing::versionFilm(GetParam());
    const FilmSignatures whole = readSignatures(film, true);
    struct Spoil {
        const char* name;
        void (*apply)(FilmKeys&);
    };
    const Spoil spoils[] = {
        {"the key of another shot", [](FilmKeys& k) { k.keys[140] = k.keys[10]; }},
        {"a time differs", [](FilmKeys& k) { k.times[150] += 0.001; }},
        {"more frames than the film", [](FilmKeys& k) { k.times.push_back(99), k.keys.push_back({}); }},
    };
    for (const Spoil& spoil : spoils) {
        FilmKeys keys = whole.keys;
        spoil.apply(keys);
        const std::vector<FrameSpan> spans = {{133, 30}, {keys.times.size() - 1, 1}};
        EXPECT_FALSE(readSpanDetails(film, keys, spans)) << spoil.name;
    }
}

// Matroska with H.264, AVI with MPEG-4 part 2 and B-frames, MP4 with 7-frame groups.
INSTANTIATE_TEST_SUITE_P(Containers, SpanReading, ::testing::Values("base.mkv", "reencoded.avi", "rescaled.mp4"),
                         [](const auto& info) { return std::filesystem::path(info.param).extension().string().substr(1); });

}  // namespace
}  // namespace marrowick
