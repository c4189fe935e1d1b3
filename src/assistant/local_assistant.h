// The local assistant's two requests: a shot check (description, provenance questions, grouping
// hint) and a boundary review of a proposed cut.
#pragma once

#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "assistant/assistant_result.h"
#include "assistant/local_runtime.h"
#include "model/film.h"
#include "model/shot.h"

namespace marrowick {

class LocalAssistant {
public:
    static constexpr int kCheckTokens = 500;
    static constexpr int kBoundaryTokens = 220;
    static constexpr std::size_t kMaxReviewCharacters = 5000;
    static constexpr std::size_t kMaxImages = 3;
    static constexpr double kFrameOffsets_s[] = {-0.25, 0, 0.25};
    static constexpr double kFrameLength_s = 0.001;

    // Renders the thumbnail of a one-frame shot of the film (the shot enrichment); throws its failure.
    using FrameRenderer = std::function<Shot(Shot, const Film&)>;

    explicit LocalAssistant(LocalRuntime& runtime) : runtime_(runtime) {}

    // A user message's content: the text part, then an image part for each of the first three
    // Base64 JPEG strings.
    static nlohmann::json parts(const std::string& text, const std::vector<std::string>& images);
    // The JSON schema the shot check's answer must follow.
    static nlohmann::json checkSchema();
    // The [start, end) ranges of the three frames around a proposed cut at `seconds`.
    static std::vector<std::pair<double, double>> boundaryFrames(const Film& film, double seconds);

    // One exchange: the first choice's content. A stop ends the server at once.
    std::string chat(const nlohmann::json& messages, const std::optional<nlohmann::json>& schema, int maxTokens,
                     std::stop_token stop = {});
    // Describes the shot from its thumbnail.
    AssistantResult check(const Shot& shot, std::stop_token stop = {});
    // Reviews a proposed cut at `seconds` from up to three frames rendered around it; the text's
    // first 5,000 characters.
    std::string compareBoundary(const Film& film, double seconds, const FrameRenderer& render,
                                std::stop_token stop = {});

private:
    LocalRuntime& runtime_;
};

}  // namespace marrowick
