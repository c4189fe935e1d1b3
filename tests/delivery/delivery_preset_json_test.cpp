#include "delivery/delivery_preset_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "delivery/preset_fixtures.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using nlohmann::json;
using testing::webPreset;

std::string decodeFailure(const std::string& text) {
    return testing::raisedMessage([&] { DeliveryPresetJson::decodeImport(text); });
}

json presetJson(const DeliveryPreset& preset = webPreset()) { return json::parse(DeliveryPresetJson::encode(preset)); }

TEST(DeliveryPresetJson, AbsentOptionalsAreLeftOutAndReadBackEqual) {
    DeliveryPreset minimal = webPreset();
    minimal.requirements.resolution = Resolution{.mode = RasterMode::source};
    minimal.encoding = Encoding{.container = "mov", .videoCodec = "h264", .rateControl = Rate{.mode = RateMode::crf},
                                .audio = Audio{.codec = "none"}};
    const json written = presetJson(minimal);
    EXPECT_FALSE(written.contains("verifiedAt") || written.contains("outputPattern") || written.contains("archivedAt"));
    EXPECT_EQ(written["encoding"].size(), 4u);
    EXPECT_EQ(written["requirements"]["resolution"], json({{"mode", "source"}}));
    EXPECT_EQ(DeliveryPresetJson::decode(written.dump()), minimal);
}

TEST(DeliveryPresetJson, FullPresetRoundTripsPrettyWithSortedKeys) {
    DeliveryPreset full = webPreset();
    full.verifiedAt = "2026-12-09";
    full.archivedAt = "2026-12-09T06:00:00Z";
    full.outputPattern = "%filename";
    full.requirements.fps = FPS{.mode = FrameRatePolicy::allowed, .tolerance = 0.01, .values = std::vector<double>{23.976, 25}};
    full.requirements.audio = AudioRequirement{.required = true, .channels = std::vector<std::int64_t>{2},
                                               .codecs = std::vector<std::string>{"aac"}};
    full.requirements.allowedDurationsSeconds = std::vector<double>{15, 30};
    full.encoding.advancedRecipe = JSONValue(JSONValue::Object{
        {"video", JSONValue(JSONValue::Object{{"intraMatrix", JSONValue(JSONValue::Array{JSONValue(8.0), JSONValue(16.0)})}})},
        {"flag", JSONValue(true)},
        {"nothing", JSONValue()}});
    const std::string text = DeliveryPresetJson::encodeArray({full, webPreset("Second")});
    EXPECT_EQ(DeliveryPresetJson::decodeArray(text), (std::vector<DeliveryPreset>{full, webPreset("Second")}));
    EXPECT_EQ(text, json::parse(text).dump(2) + "\n");
    EXPECT_LT(text.find("\"archivedAt\""), text.find("\"encoding\""));
}

TEST(DeliveryPresetJson, RequiredFieldsMustBePresent) {
    for (const char* field : {"hidden", "prefix", "suffix", "specificationUrl", "normalizedName", "version"}) {
        json record = presetJson();
        record.erase(field);
        EXPECT_EQ(decodeFailure(json::array({record}).dump()),
                  "Preset data could not be read: the field \"" + std::string(field) + "\" is missing in the preset list[0].")
            << field;
    }
    json nested = presetJson();
    nested["encoding"]["audio"].erase("codec");
    EXPECT_NE(decodeFailure(json::array({nested}).dump()).find("the preset list[0].encoding.audio"), std::string::npos);
}

// Each mode word reads back as itself; any other is refused in the validator's words, naming the
// preset that holds it even when an earlier preset of the list is sound.
TEST(DeliveryPresetJson, ModeWordsReadBackAndOthersAreRefusedByName) {
    struct ModeField {
        std::vector<const char*> path;
        std::vector<const char*> known;
        std::vector<const char*> refused;
        const char* message;
    };
    const ModeField fields[] = {
        {{"encoding", "rateControl", "mode"}, {"crf", "vbr", "cbr", "quality"}, {"", "CRF", "abr"},
         "Web 1080p: unsupported rate control"},
        {{"requirements", "resolution", "mode"}, {"source", "exact", "max_longest_edge"}, {"fit", "Exact"},
         "Web 1080p: invalid resolution mode"},
        {{"requirements", "fps", "mode"}, {"exact", "allowed", "range"}, {"variable", "exact "},
         "Web 1080p: invalid frame-rate policy"},
    };
    const auto withMode = [](const std::vector<const char*>& path, const char* word) {
        json record = presetJson();
        json* member = &record;
        for (const char* name : path) member = &(*member)[name];
        *member = word;
        return record;
    };
    for (const ModeField& field : fields) {
        for (const char* word : field.known) {
            const json written = presetJson(DeliveryPresetJson::decode(withMode(field.path, word).dump()));
            EXPECT_EQ(written[field.path[0]][field.path[1]][field.path[2]], word);
        }
        for (const char* word : field.refused)
            EXPECT_EQ(decodeFailure(json::array({presetJson(webPreset("First")), withMode(field.path, word)}).dump()),
                      field.message)
                << '"' << word << '"';
    }
    json number = presetJson();
    number["encoding"]["rateControl"]["mode"] = 1;
    EXPECT_EQ(decodeFailure(json::array({number}).dump()),
              "Preset data could not be read: the preset list[0].encoding.rateControl.mode must be a string.");
}

TEST(DeliveryPresetJson, NumbersMustHaveTheirType) {
    json fractional = presetJson();
    fractional["encoding"]["audio"]["channels"] = 2.5;
    EXPECT_EQ(decodeFailure(json::array({fractional}).dump()),
              "Preset data could not be read: the preset list[0].encoding.audio.channels must be a whole number within 64 bits.");
    json whole = presetJson();
    whole["encoding"]["audio"]["sampleRate"] = 48000.0;
    EXPECT_EQ(DeliveryPresetJson::decode(whole.dump()).encoding.audio.sampleRate, 48000);
    json huge = presetJson();
    huge["revision"] = 18446744073709551615u;
    EXPECT_NE(decodeFailure(json::array({huge}).dump()), "");
    json text = presetJson();
    text["hidden"] = "false";
    EXPECT_NE(decodeFailure(json::array({text}).dump()), "");
    EXPECT_NE(decodeFailure("[" + presetJson().dump().replace(presetJson().dump().find("2.0"), 3, "1e999") + "]"), "");
}

TEST(DeliveryPresetJson, AdvancedRecipeKeepsEachJsonKind) {
    json record = presetJson();
    record["encoding"]["advancedRecipe"] = json::parse(R"({"n": 1, "b": true, "s": "1", "z": null, "a": [1, "a", 2.9]})");
    const DeliveryPreset preset = DeliveryPresetJson::decode(record.dump());
    const JSONValue& recipe = *preset.encoding.advancedRecipe;
    EXPECT_EQ(*recipe.member("n"), JSONValue(1.0));
    EXPECT_EQ(*recipe.member("b"), JSONValue(true));
    EXPECT_EQ(*recipe.member("s"), JSONValue("1"));
    EXPECT_TRUE(recipe.member("z")->isNull());
    EXPECT_EQ(recipe.member("a")->integerList(), (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(json::parse(DeliveryPresetJson::encode(preset))["encoding"]["advancedRecipe"], record["encoding"]["advancedRecipe"]);

    // Like every optional, a null recipe is an absent one (and so does not claim the XDCAM lock).
    record["encoding"]["advancedRecipe"] = nullptr;
    EXPECT_FALSE(DeliveryPresetJson::decode(record.dump()).encoding.advancedRecipe.has_value());
}

TEST(DeliveryPresetJson, ImportAcceptsAnArrayOrATargetsObject) {
    const json list = json::array({presetJson()});
    EXPECT_EQ(DeliveryPresetJson::decodeImport(list.dump()).size(), 1u);
    EXPECT_EQ(DeliveryPresetJson::decodeImport(json({{"targets", list}, {"source", "Castmere"}}).dump()).size(), 1u);
    EXPECT_EQ(decodeFailure(json({{"presets", list}}).dump()),
              "Preset data could not be read: the field \"targets\" is missing in the preset file.");
    EXPECT_EQ(decodeFailure(json({{"targets", presetJson()}}).dump()),
              "Preset data could not be read: targets must be an array of presets.");
    EXPECT_EQ(decodeFailure("\"presets\""), "Preset data could not be read: the preset list must be an array of presets.");
    EXPECT_NE(decodeFailure("[{]").find("Preset data could not be read: parse error"), std::string::npos);
    EXPECT_NE(decodeFailure(""), "");
}

TEST(DeliveryPresetJson, DeepNestingIsRefusedWithoutRecursion) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    EXPECT_EQ(decodeFailure(deep), "Preset data could not be read: nesting deeper than 64 levels.");
    json record = presetJson();
    std::string nested = "1";
    for (int i = 0; i < 70; ++i) nested = "{\"a\":" + nested + "}";
    record["encoding"]["advancedRecipe"] = json::parse(nested);
    EXPECT_EQ(decodeFailure(json::array({record}).dump()), "Preset data could not be read: nesting deeper than 64 levels.");
}

TEST(DeliveryPresetJson, NonFiniteNumbersAreNotWritten) {
    DeliveryPreset preset = webPreset();
    preset.requirements.aspectTolerancePercent = std::numeric_limits<double>::infinity();
    EXPECT_THROW(DeliveryPresetJson::encode(preset), ReviewError);
}

TEST(DeliveryPresetJson, TextThatIsNotUtf8IsWrittenWithReplacementCharacters) {
    const DeliveryPreset preset = webPreset("Bad \xFF byte");
    EXPECT_EQ(DeliveryPresetJson::decode(DeliveryPresetJson::encode(preset)).name, "Bad \uFFFD byte");
}

}  // namespace
}  // namespace marrowick
