// The preset editor's number fields: bindings, absent values and the meaning of 0.
#include "ui/preset_number_field.h"

#include <cmath>

namespace marrowick {
namespace {

using Int = std::optional<std::int64_t>;

std::optional<double> asDouble(const Int& value) {
    return value ? std::optional<double>(static_cast<double>(*value)) : std::nullopt;
}
Int asInt(std::optional<double> value) { return value ? Int(static_cast<std::int64_t>(*value)) : std::nullopt; }

bool rateIs(const DeliveryPreset& p, std::initializer_list<RateMode> modes) {
    for (const RateMode mode : modes)
        if (p.encoding.rateControl.mode == mode) return true;
    return false;
}
bool rasterIs(const DeliveryPreset& p, RasterMode mode) { return p.requirements.resolution.mode == mode; }
bool always(const DeliveryPreset&) { return true; }

// An integer field of the preset, reached through `member` (a lambda for const and mutable presets).
template <class Member>
PresetNumberField integer(const char* title, double absent, bool zeroUnsets, Member member,
                          std::function<bool(const DeliveryPreset&)> shown) {
    return {QString::fromUtf8(title), false, absent, zeroUnsets,
            [member](const DeliveryPreset& p) { return asDouble(member(p)); },
            [member](DeliveryPreset& p, std::optional<double> v) { member(p) = asInt(v); }, std::move(shown)};
}

std::vector<PresetNumberField> makeFields() {
    std::vector<PresetNumberField> fields;
    fields.push_back({QStringLiteral("CRF"), true, 18.0, false,
                      [](const DeliveryPreset& p) { return p.encoding.rateControl.crf; },
                      [](DeliveryPreset& p, std::optional<double> v) { p.encoding.rateControl.crf = v; },
                      [](const DeliveryPreset& p) { return rateIs(p, {RateMode::crf}); }});
    fields.push_back(integer("Video kb/s", 12000, false, [](auto& p) -> auto& { return p.encoding.rateControl.bitrateKbps; },
                             [](const DeliveryPreset& p) { return rateIs(p, {RateMode::vbr, RateMode::cbr}); }));
    fields.push_back(integer("Maximum video kb/s · 0 unset", 0, true,
                             [](auto& p) -> auto& { return p.encoding.rateControl.maxrateKbps; },
                             [](const DeliveryPreset& p) { return rateIs(p, {RateMode::vbr}); }));
    fields.push_back(integer("Buffer kb · 0 unset", 0, true,
                             [](auto& p) -> auto& { return p.encoding.rateControl.bufsizeKbps; },
                             [](const DeliveryPreset& p) { return rateIs(p, {RateMode::vbr}); }));
    fields.push_back(integer("Width", 1920, false, [](auto& p) -> auto& { return p.requirements.resolution.width; },
                             [](const DeliveryPreset& p) { return rasterIs(p, RasterMode::exact); }));
    fields.push_back(integer("Height", 1080, false, [](auto& p) -> auto& { return p.requirements.resolution.height; },
                             [](const DeliveryPreset& p) { return rasterIs(p, RasterMode::exact); }));
    fields.push_back(integer("Longest edge", 1920, false,
                             [](auto& p) -> auto& { return p.requirements.resolution.maxLongestEdge; },
                             [](const DeliveryPreset& p) { return rasterIs(p, RasterMode::maxLongestEdge); }));
    fields.push_back({QStringLiteral("Frames per second"), true, 25.0, false,
                      [](const DeliveryPreset& p) { return p.requirements.fps ? p.requirements.fps->value : std::nullopt; },
                      [](DeliveryPreset& p, std::optional<double> v) {
                          if (p.requirements.fps) p.requirements.fps->value = v;
                      },
                      [](const DeliveryPreset& p) { return p.requirements.fps && p.requirements.fps->mode == FrameRatePolicy::exact; }});
    fields.push_back(integer("Audio channels · 0 keeps source layout", 0, true,
                             [](auto& p) -> auto& { return p.encoding.audio.channels; }, always));
    fields.push_back(integer("Audio sample rate", 48000, false,
                             [](auto& p) -> auto& { return p.encoding.audio.sampleRate; }, always));
    fields.push_back(integer("Audio kb/s", 192, false, [](auto& p) -> auto& { return p.encoding.audio.bitrateKbps; },
                             [](const DeliveryPreset& p) {
                                 return p.encoding.audio.codec == "aac" || p.encoding.audio.codec == "opus";
                             }));
    return fields;
}

}  // namespace

QString PresetNumberField::text(const DeliveryPreset& preset) const {
    const double value = read(preset).value_or(shownWhenAbsent);
    if (!decimal) return QString::number(static_cast<long long>(value));
    QString shown = QString::number(value, 'g', 15);
    return shown.contains(QLatin1Char('.')) || shown.contains(QLatin1Char('e')) ? shown : shown + QStringLiteral(".0");
}

void PresetNumberField::enter(DeliveryPreset& preset, const QString& text) const {
    bool ok = false;
    const double value = decimal ? text.trimmed().toDouble(&ok) : static_cast<double>(text.trimmed().toLongLong(&ok));
    if (!ok || !std::isfinite(value)) return;
    write(preset, value == 0 && zeroMakesAbsent ? std::nullopt : std::optional<double>(value));
}

const std::vector<PresetNumberField>& PresetNumberField::all() {
    static const std::vector<PresetNumberField> fields = makeFields();
    return fields;
}

}  // namespace marrowick
