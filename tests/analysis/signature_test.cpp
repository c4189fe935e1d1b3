// Frame signatures on made-up analysis frames, and the cache file's byte form against damage.
#include "analysis/frame_signature.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "analysis/signature_cache.h"

namespace marrowick {
namespace {

// A textured analysis frame: a smooth pattern in every channel.
TinyFrame texturedFrame() {
    TinyFrame frame;
    for (int y = 0; y < kTinyHeight; ++y)
        for (int x = 0; x < kTinyWidth; ++x)
            for (int c = 0; c < 3; ++c)
                frame.rgb[static_cast<std::size_t>((y * kTinyWidth + x) * 3 + c)] =
                    static_cast<float>(128 + 90 * std::sin(0.3 * x + 0.5 * y + c));
    return frame;
}

void forPixels(TinyFrame& frame, int x0, int y0, int w, int h, const std::function<float(float, int)>& change) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            for (int c = 0; c < 3; ++c) {
                float& value = frame.rgb[static_cast<std::size_t>((y * kTinyWidth + x) * 3 + c)];
                value = std::clamp(change(value, (x * 7 + y * 13 + c) % 5 - 2), 0.0f, 255.0f);
            }
}

struct Change {
    const char* name;
    std::function<void(TinyFrame&)> apply;
    bool same;
};

TEST(FrameSignature, DetailsToleratesNoiseButNotLocalOrGlobalChanges) {
    const Change changes[] = {
        {"unchanged", [](TinyFrame&) {}, true},
        {"coding noise of two levels", [](TinyFrame& f) { forPixels(f, 0, 0, kTinyWidth, kTinyHeight, [](float v, int n) { return v + n; }); }, true},
        {"brightness up 2.5 levels", [](TinyFrame& f) { forPixels(f, 0, 0, kTinyWidth, kTinyHeight, [](float v, int) { return v + 2.5f; }); }, false},
        {"5 % brighter", [](TinyFrame& f) { forPixels(f, 0, 0, kTinyWidth, kTinyHeight, [](float v, int) { return v * 1.05f; }); }, false},
        {"1 % of the picture, 20 levels", [](TinyFrame& f) { forPixels(f, 20, 10, 5, 3, [](float v, int) { return v + 20; }); }, false},
        {"one pixel far off", [](TinyFrame& f) { forPixels(f, 47, 26, 1, 1, [](float v, int) { return v > 128 ? v - 60 : v + 60; }); }, false},
        {"colour of a block shifted", [](TinyFrame& f) { forPixels(f, 8, 6, 4, 3, [](float v, int) { return v; });
                                                         for (int y = 6; y < 9; ++y) for (int x = 8; x < 12; ++x) {
                                                             f.rgb[static_cast<std::size_t>((y * kTinyWidth + x) * 3)] += 16;
                                                             f.rgb[static_cast<std::size_t>((y * kTinyWidth + x) * 3 + 1)] -= 8; } }, false},
    };
    const TinyFrame original = texturedFrame();
    for (const Change& change : changes) {
        TinyFrame changed = original;
        change.apply(changed);
        EXPECT_EQ(detailsMatch(frameDetailOf(original), frameDetailOf(changed)), change.same) << change.name;
        if (change.same) {
            EXPECT_TRUE(keysMatch(frameKeyOf(original), frameKeyOf(changed))) << change.name;
        }
    }
}

FilmKeys twoFrames() {
    FilmKeys keys;
    keys.fps = 25;
    keys.times = {0.0, 0.04};
    keys.keys = {frameKeyOf(texturedFrame()), FrameKey{}};
    return keys;
}

TEST(SignatureCache, ReadsBackWhatItWroteAndRefusesDamage) {
    const std::string bytes = encodeKeys(twoFrames());
    ASSERT_EQ(bytes.size(), 24u + 2 * 80u);
    const std::optional<FilmKeys> read = decodeKeys(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->times, twoFrames().times);
    EXPECT_EQ(read->keys, twoFrames().keys);
    EXPECT_EQ(read->fps, 25);

    struct Damage {
        const char* name;
        std::function<void(std::string&)> apply;
    };
    const Damage damages[] = {
        {"empty", [](std::string& b) { b.clear(); }},
        {"cut short", [](std::string& b) { b.pop_back(); }},
        {"one byte more", [](std::string& b) { b.push_back('x'); }},
        {"other magic", [](std::string& b) { b[0] = 'X'; }},
        {"other version", [](std::string& b) { b[4] = 9; }},
        {"frame count too large", [](std::string& b) { b[23] = 0x7f; }},
        {"times out of order", [](std::string& b) { std::copy(b.begin() + 24, b.begin() + 32, b.begin() + 104); }},
        {"rate not a number", [](std::string& b) { std::fill(b.begin() + 8, b.begin() + 16, char(0xff)); }},
    };
    for (const Damage& damage : damages) {
        std::string damaged = bytes;
        damage.apply(damaged);
        EXPECT_FALSE(decodeKeys(damaged)) << damage.name;
    }
}

TEST(SignatureCache, NamesFilesOnlyForFingerprints) {
    const SignatureCache cache("/cache");
    EXPECT_EQ(cache.fileOf(std::string(64, 'a')), std::filesystem::path("/cache") / (std::string(64, 'a') + ".keys"));
    EXPECT_FALSE(cache.fileOf("../../etc/passwd"));
    EXPECT_FALSE(cache.fileOf(std::string(64, 'A')));
    EXPECT_FALSE(cache.fileOf(""));
}

}  // namespace
}  // namespace marrowick
