// Value records of the controller's published state, grouped by what changes them together.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "assistant/local_model.h"
#include "delivery/framing.h"
#include "model/film_time.h"
#include "workspace/shot_filter.h"

namespace marrowick {

// How the shot list is filtered, searched and sorted.
struct ShotListOptions {
    ShotFilter filter;
    std::string search;
    bool groupSort = false;
    friend bool operator==(const ShotListOptions&, const ShotListOptions&) = default;
};

// The one long-running activity, if any.
struct ActivityState {
    bool busy = false;
    std::string activity;
    double progress = 0;
    friend bool operator==(const ActivityState&, const ActivityState&) = default;
};

// The user's choices for the delivery export.
struct DeliveryChoices {
    std::set<std::string> deliveryKeys{"master:prores_422hq"};
    Framing deliveryFraming = Framing::pad;
    bool assumeRec709 = false;
    friend bool operator==(const DeliveryChoices&, const DeliveryChoices&) = default;
};

// The local assistant's models, model choice and status line.
struct AssistantState {
    std::vector<LocalModel> models;
    std::string modelName;
    std::string localStatus = "Qwen3-VL-2B on this computer · not checked yet";
    friend bool operator==(const AssistantState&, const AssistantState&) = default;
};

// Which secondary windows and preview overlays are shown.
struct PresentationState {
    bool settings = false;
    bool guide = false;
    bool deliverySettings = false;
    std::string previewPresetKey;
    bool showSafeZones = false;
    bool editLabelLayout = false;
    TimeDisplay timeDisplay = TimeDisplay::timecode;  // remembered as the "timeDisplay" preference
    bool loop = false;                                 // playback repeats the current shot
    int volume = 80;                                   // 0..100, remembered as "volume"
    bool muted = false;                                // remembered as "muted"
    bool fullScreen = false;                           // the preview fills the screen
    bool compactRows = false;                          // one-line shot rows, remembered as "compactRows"
    friend bool operator==(const PresentationState&, const PresentationState&) = default;
};

}  // namespace marrowick
