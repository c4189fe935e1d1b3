// Fixtures of the encode tests: catalogue presets, plans built by hand, probes and films.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "delivery/encode_plan.h"
#include "delivery/preset_catalogue.h"
#include "delivery/preset_fixtures.h"
#include "delivery/source_probe.h"
#include "model/project.h"

namespace marrowick::testing {

inline DeliveryPreset cataloguePreset(const std::string& key) {
    for (DeliveryPreset& preset : PresetCatalogue::bundled(resourceRoot()))
        if (preset.key == key) return preset;
    throw std::logic_error("no catalogue preset " + key);
}

inline EncodePlan planFor(DeliveryPreset preset, std::int64_t width = 1920, std::int64_t height = 1080) {
    EncodePlan plan;
    plan.preset = std::move(preset);
    plan.width = width;
    plan.height = height;
    plan.framing = Framing::pad;
    return plan;
}

// A probe of a stereo 48 kHz AAC source whose video carries the same tag on all three members.
inline SourceProbe probeTagged(const std::string& colour) {
    SourceProbe probe;
    probe.audio = {{"aac", 2, 48000}};
    probe.transfer = probe.primaries = probe.matrix = colour;
    probe.range = "tv";
    probe.pixelFormat = "yuv420p";
    return probe;
}

inline Film filmAt(const std::string& path, double duration, std::int64_t width = 1920, std::int64_t height = 1080) {
    Film film;
    film.id = Uuid::random();
    film.path = path;
    film.duration = duration;
    film.fps = 25;
    film.width = width;
    film.height = height;
    film.detector = "TransNetV2";
    return film;
}

inline Shot shotOf(const Film& film, double start, double end, Disclosure disclosure) {
    Shot shot;
    shot.id = Uuid::random();
    shot.filmID = film.id;
    shot.start = start;
    shot.end = end;
    shot.disclosure = disclosure;
    return shot;
}

}  // namespace marrowick::testing
