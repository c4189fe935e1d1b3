// Films and detectors for the import, relink and redetect tests: copies of a generated test film
// and the built-in scorer, optionally held at one window until the test releases it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>

#include <gtest/gtest.h>

#include "analysis/colour_difference_scorer.h"
#include "analysis/shot_detector.h"
#include "workspace/film_import.h"

namespace marrowick::testing {

// The four-shot test film (cuts at frames 40, 70, 105 of 150 at 25 fps).
inline std::filesystem::path cutsFilm() { return std::filesystem::path(MARROWICK_TEST_FILMS_DIR) / "cuts.mp4"; }

// Copies the cut film to `folder / name` and returns the copy's path.
inline std::filesystem::path copyOfCutsFilm(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::create_directories(folder);
    const std::filesystem::path copy = folder / name;
    std::filesystem::copy_file(cutsFilm(), copy, std::filesystem::copy_options::overwrite_existing);
    return copy;
}

// The built-in scorer; the call numbered `holdAt` (from 0) waits until release() once it has
// said so through `held`.
class HeldScorer final : public ShotScorer {
public:
    struct Gate {
        int holdAt = -1;
        std::atomic<int> calls{0};
        std::atomic<bool> held{false};
        std::mutex mutex;
        std::condition_variable released;
        bool open = false;
        void release() {
            {
                std::lock_guard lock(mutex);
                open = true;
            }
            released.notify_all();
        }
    };

    explicit HeldScorer(std::shared_ptr<Gate> gate) : gate_(std::move(gate)) {}
    std::string name() const override { return inner_.name(); }
    WindowScores score(const WindowInputs& inputs) override {
        if (gate_->calls++ == gate_->holdAt) {
            gate_->held = true;
            std::unique_lock lock(gate_->mutex);
            gate_->released.wait(lock, [&] { return gate_->open; });
        }
        return inner_.score(inputs);
    }

private:
    std::shared_ptr<Gate> gate_;
    ColourDifferenceScorer inner_;
};

inline DetectorFactory builtInDetectors(std::shared_ptr<HeldScorer::Gate> gate = std::make_shared<HeldScorer::Gate>()) {
    return [gate] { return std::make_unique<ShotDetector>(std::make_unique<HeldScorer>(gate)); };
}

}  // namespace marrowick::testing
