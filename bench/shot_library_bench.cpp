// The shot library on a 200,000-shot review: answering a filter or search change (controller
// query, list model and a repaint of the list) and the frame time of scrolling it. Set
// QT_QPA_PLATFORM or DISPLAY to measure on a real X server (xvfb-run); offscreen otherwise.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QListView>
#include <QScrollBar>

#include "bench_timing.h"
#include "demo_review.h"
#include "workspace_fixtures.h"
#include "ui/shot_library.h"
#include "ui/theme.h"
#include "workspace/review_store.h"

namespace {

using namespace marrowick;

constexpr int kFilms = 100;
constexpr int kShotsPerFilm = 2000;

const auto milliseconds = bench::millisecondsOf;

using bench::percentile;

void metric(const char* name, double value, const char* unit) { std::printf("metric: %s %.3f %s\n", name, value, unit); }

// The floor any list change pays: one pass reading every shot.
double scanBaseline(const Project& project) {
    std::vector<double> samples;
    for (int i = 0; i < 5; ++i) {
        std::size_t unreviewed = 0;
        samples.push_back(milliseconds([&] {
            for (const Shot& shot : project.shots) unreviewed += shot.disclosure == Disclosure::unreviewed;
        }));
        if (unreviewed == 0) std::printf("(no unreviewed shots)\n");
    }
    return percentile(samples, 0.5);
}

// A change of the list options answered: query, model reset, and the list repainted.
double answer(ShotLibrary& library, const std::function<void()>& change) {
    return milliseconds([&] {
        change();
        QApplication::processEvents();
        library.listView().viewport()->repaint();
    });
}

// Each change leaves a different state, so every one makes the list answer. The sequence runs
// several rounds; the first search of the first round also builds the search keys.
void measureChanges(ReviewStore& store, ShotLibrary& library, double baseline) {
    struct Change {
        const char* name;
        std::function<void()> apply;
    };
    const std::vector<Change> changes = {
        {"filter_review", [&] { store.setFilter(ShotFilter::parse("review")); }},
        {"filter_all", [&] { store.setFilter(ShotFilter::parse("all")); }},
        {"filter_groups", [&] { store.setFilter(ShotFilter::parse("groups")); }},
        {"group_sort_on", [&] { store.setGroupSort(true); }},
        {"search_h", [&] { store.setSearch("h"); }},
        {"search_harbour", [&] { store.setSearch("harbour"); }},
        {"search_street_night", [&] { store.setSearch("street, night"); }},
        {"search_cleared", [&] { store.setSearch(""); }},
        {"group_sort_off", [&] { store.setGroupSort(false); }},
        {"filter_all_again", [&] { store.setFilter(ShotFilter::parse("all")); }},
    };
    constexpr int kRounds = 5;
    std::vector<std::vector<double>> samples(changes.size());
    for (int round = 0; round < kRounds; ++round)
        for (std::size_t i = 0; i < changes.size(); ++i) samples[i].push_back(answer(library, changes[i].apply));
    metric("shot_library_search_first_cold", samples[4][0], "ms");
    double worst = 0;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const double median = percentile(samples[i], 0.5);
        worst = std::max(worst, median);
        metric((std::string("shot_library_") + changes[i].name).c_str(), median, "ms");
    }
    metric("shot_library_change_worst_median", worst, "ms");
    metric("shot_library_change_worst_vs_scan", worst / baseline, "ratio");
}

// Scrolls through the list a screen's third at a time, repainting each step: first over rows
// never shown (thumbnails decoded), then back over the same rows (thumbnails cached).
void measureScrolling(ShotLibrary& library) {
    QListView& list = library.listView();
    QScrollBar& bar = *list.verticalScrollBar();
    const int step = list.viewport()->height() / 3;
    for (const char* pass : {"first", "cached"}) {
        std::vector<double> frames;
        bar.setValue(0);
        for (int i = 0; i < 600 && bar.value() < bar.maximum(); ++i) {
            frames.push_back(milliseconds([&] {
                bar.setValue(bar.value() + step);
                list.viewport()->repaint();
            }));
        }
        const std::string prefix = std::string("shot_library_scroll_") + pass;
        metric((prefix + "_frame_median").c_str(), percentile(frames, 0.5), "ms");
        metric((prefix + "_frame_p95").c_str(), percentile(frames, 0.95), "ms");
        metric((prefix + "_frame_max").c_str(), percentile(frames, 1.0), "ms");
    }
    // A jump across the whole list (dragging the scroll bar handle).
    std::vector<double> jumps;
    for (int i = 1; i <= 50; ++i)
        jumps.push_back(milliseconds([&] {
            bar.setValue(bar.maximum() / 50 * ((i * 17) % 50));
            list.viewport()->repaint();
        }));
    metric("shot_library_jump_frame_median", percentile(jumps, 0.5), "ms");
    metric("shot_library_jump_frame_max", percentile(jumps, 1.0), "ms");
}

}  // namespace

int main(int argc, char** argv) {
    testing::PrivateDataHome data;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Theme::apply(application);

    std::vector<std::string> paths;
    for (int f = 0; f < kFilms; ++f) paths.push_back("/media/harbour_reel" + std::to_string(f + 1) + ".mov");
    const Project review = testing::demoReview(paths, kShotsPerFilm, 64);

    testing::FakeDialogs dialogs;
    ReviewStore store(std::make_unique<testing::FakePlayer>(), dialogs, MARROWICK_RESOURCE_DIR);
    ShotLibrary library(store);
    library.resize(900, 760);
    library.show();
    QApplication::processEvents();
    bool autosaved = false;
    QObject::connect(&store, &ReviewStore::recoveryWritten, [&] { autosaved = true; });
    const double load = answer(library, [&] { store.edit([&](Project& project) { project = review; }); });
    // The autosave of the loaded review writes every thumbnail; let it finish before measuring.
    const double autosave = milliseconds([&] { testing::waitUntil([&] { return autosaved; }, 600000); });
    std::printf("autosave of the loaded review took %.0f ms\n", autosave);
    std::printf("shots: %zu, platform: %s\n", store.project().shots.size(), qPrintable(QApplication::platformName()));
    metric("shot_library_load_200k", load, "ms");

    const double baseline = scanBaseline(store.project());
    metric("shot_library_scan_baseline", baseline, "ms");
    measureChanges(store, library, baseline);
    measureScrolling(library);
    return 0;
}
