#include "interchange/timeline_export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "disclosure/temporary_folder.h"
#include "interchange/cut_list_mapping.h"
#include "interchange/cut_list_matchers.h"
#include "interchange/edl_reader.h"
#include "interchange/otio_reader.h"

namespace marrowick {

using ::testing::HasSubstr;
using testing::failureOf;

namespace {

// One film of `frames` frames at `fps`, cut at the given frames; shots are added out of order.
Project reviewOf(int frames, double fps, const std::vector<int>& cuts) {
    Project project;
    project.name = "Reel one";
    Film film;
    film.id = Uuid::random();
    film.path = "/films/reel one.mov";
    film.fps = fps;
    film.duration = frames / fps;
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) times.push_back(i / fps);
    film.frameTimes = makeFrameTimes(std::move(times));
    project.films.push_back(film);
    std::vector<int> bounds{0};
    bounds.insert(bounds.end(), cuts.begin(), cuts.end());
    bounds.push_back(frames);
    for (std::size_t i = bounds.size() - 1; i-- > 0;) {
        Shot shot;
        shot.id = Uuid::random();
        shot.filmID = film.id;
        shot.start = bounds[i] / fps;
        shot.end = i + 2 < bounds.size() ? bounds[i + 1] / fps : film.duration;
        project.shots.push_back(shot);
    }
    return project;
}

template <typename Shots>
std::vector<double> startsOf(const Shots& shots) {
    std::vector<double> starts;
    for (const Shot& shot : shots) starts.push_back(shot.start);
    std::sort(starts.begin(), starts.end());
    return starts;
}

}  // namespace

TEST(TimelineExport, OtioRoundTripsThroughTheReaderWithDecisionsAsMarkers) {
    Project project = reviewOf(200, 24000.0 / 1001, {48, 60, 130});
    project.shots.mut(0).disclosure = Disclosure::generated;  // the last shot: frames 130 to 200
    project.shots.mut(0).note = "sky replaced\nby the vendor";
    const std::string text = TimelineExport::otio(project);

    const CutList list = OtioReader::read(text);
    const Film& film = project.films[0];
    CutListMapping::check(list, film);
    EXPECT_EQ(startsOf(CutListMapping::shots(list, film)), startsOf(project.shots));

    const nlohmann::json document = nlohmann::json::parse(text);
    const nlohmann::json& clips = document["tracks"]["children"][0]["children"];
    ASSERT_EQ(clips.size(), 4u);
    EXPECT_EQ(clips[3]["markers"][0]["name"], "AI generated");
    EXPECT_EQ(clips[3]["markers"][0]["color"], "PURPLE");
    EXPECT_EQ(clips[3]["markers"][0]["comment"], "sky replaced\nby the vendor");
    EXPECT_EQ(clips[3]["metadata"]["marrowick"]["decision"], "generated");
    EXPECT_EQ(clips[3]["metadata"]["marrowick"]["shotID"], project.shots[0].id.text());
    EXPECT_EQ(clips[0]["markers"][0]["color"], "WHITE");
    EXPECT_EQ(clips[3]["source_range"]["start_time"]["value"], 130);
    EXPECT_EQ(document["tracks"]["children"][0]["kind"], "Video");
}

TEST(TimelineExport, OtioCountsEachFilmInItsOwnStartTimecode) {
    Project project = reviewOf(50, 25, {10});
    project.films[0].startTimecode = "10:00:00:00";
    Project second = reviewOf(60, 30000.0 / 1001, {30});
    second.films[0].path = "/films/reel two.mov";
    second.films[0].startTimecode = "00:59:59;28";  // drop frame, two frames before 01:00:00;00
    project.films.push_back(second.films[0]);
    for (const Shot& shot : second.shots) project.shots.push_back(shot);

    const nlohmann::json document = nlohmann::json::parse(TimelineExport::otio(project));
    const nlohmann::json& tracks = document["tracks"]["children"];
    struct Expected {
        double rate;
        double filmStart;               // 10:00:00:00 at 25; 00:59:59;28 counted in real frames at 29.97
        std::vector<double> clipStarts;  // each shot's first frame in the film's timecode
        std::vector<double> clipLengths;
    };
    const Expected expected[] = {
        {25, 900000, {900000, 900010}, {10, 40}},
        {30000.0 / 1001, 107890, {107890, 107920}, {30, 30}},
    };
    for (std::size_t t = 0; t < 2; ++t) {
        const Expected& e = expected[t];
        const nlohmann::json& clips = tracks[t]["children"];
        ASSERT_EQ(clips.size(), e.clipStarts.size()) << t;
        EXPECT_EQ(clips[0]["media_reference"]["available_range"]["start_time"]["value"], e.filmStart) << t;
        for (std::size_t c = 0; c < clips.size(); ++c) {
            const nlohmann::json& range = clips[c]["source_range"];
            EXPECT_EQ(range["start_time"]["value"], e.clipStarts[c]) << t << "/" << c;
            EXPECT_EQ(range["start_time"]["rate"], e.rate) << t << "/" << c;
            EXPECT_EQ(range["duration"]["value"], e.clipLengths[c]) << t << "/" << c;
            EXPECT_EQ(clips[c]["markers"][0]["marked_range"]["start_time"], range["start_time"]) << t << "/" << c;
        }
    }
    EXPECT_EQ(document["global_start_time"]["value"], 900000) << "the first film's start";
    EXPECT_EQ(document["global_start_time"]["rate"], 25);

    const CutList list = OtioReader::read(TimelineExport::otio(project));
    CutListMapping::check(list, project.films[0]);
    EXPECT_EQ(startsOf(CutListMapping::shots(list, project.films[0])), (std::vector<double>{0, 0.4}));
    EXPECT_TRUE(nlohmann::json::parse(TimelineExport::otio(Project{}))["global_start_time"].is_null());
}

TEST(TimelineExport, EdlRoundTripsInDropFrameAcrossTheTenMinuteMark) {
    const double rate = 30000.0 / 1001;
    Project project = reviewOf(20000, rate, {17981, 17982, 18000});
    project.shots.mut(1).disclosure = Disclosure::modified;  // frames 17982 to 18000
    project.shots.mut(1).note = "face cleaned up\nsecond line";
    const std::string text = TimelineExport::edl(project);
    EXPECT_THAT(text, HasSubstr("FCM: DROP FRAME\n"));
    EXPECT_THAT(text, HasSubstr("003  AX       V     C        00:10:00;00 00:10:00;18 01:10:00;00 01:10:00;18\n"
                                "* FROM CLIP NAME: reel one.mov\n"
                                "* DECISION: AI modified\n"
                                "* NOTE: face cleaned up\n"
                                "* NOTE: second line\n"
                                "* LOC: 01:10:00;00 ORANGE AI modified\n"));

    const CutList list = EdlReader::read(text, rate);
    const Film& film = project.films[0];
    CutListMapping::check(list, film);
    EXPECT_EQ(startsOf(CutListMapping::shots(list, film)), startsOf(project.shots));
}

TEST(TimelineExport, EdlSourceTimesFollowEachFilmsStartTimecodeAndNeverMixRates) {
    Project project = reviewOf(50, 25, {10});
    project.films[0].startTimecode = "10:00:00:00";
    Project second = reviewOf(25, 25, {});
    second.films[0].path = "/films/reel two.mov";
    second.films[0].startTimecode = "02:00:00:00";
    project.films.push_back(second.films[0]);
    project.shots.push_back(second.shots[0]);
    EXPECT_THAT(TimelineExport::edl(project),
                HasSubstr("FCM: NON-DROP FRAME\n\n"
                          "001  AX       V     C        10:00:00:00 10:00:00:10 01:00:00:00 01:00:00:10\n"));
    EXPECT_THAT(TimelineExport::edl(project),
                HasSubstr("003  AX       V     C        02:00:00:00 02:00:01:00 01:00:02:00 01:00:03:00\n"));

    struct Case {
        double fps;
        const char* start;
        const char* rate;
    };
    const Case mixed[] = {
        {30000.0 / 1001, "01:00:00;00", "29.97 fps drop frame"},
        {30000.0 / 1001, "01:00:00:00", "29.97 fps"},
        {24, "01:00:00:00", "24 fps"},
    };
    for (const Case& c : mixed) {
        project.films[1].fps = c.fps;
        project.films[1].startTimecode = c.start;
        EXPECT_EQ(failureOf([&] { TimelineExport::edl(project); }),
                  std::string("An EDL holds one timecode rate, but reel one.mov runs at 25 fps and reel two.mov at ") +
                      c.rate + ". Export OpenTimelineIO (.otio) instead.");
    }
}

TEST(TimelineExport, WritesByExtensionAndRefusesWhatItCannotWrite) {
    TemporaryFolder folder;
    const Project project = reviewOf(50, 25, {25});
    TimelineExport::write(project, folder.path() / "cut.EDL");
    std::ifstream written(folder.path() / "cut.EDL");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), TimelineExport::edl(project));
    EXPECT_EQ(failureOf([&] { TimelineExport::write(project, folder.path() / "cut.aaf"); }),
              "Unsupported timeline: cut.aaf. Use an OpenTimelineIO (.otio) or EDL (.edl) file.");
    EXPECT_EQ(failureOf([&] { TimelineExport::write(Project{}, folder.path() / "cut.otio"); }),
              "The review has no films to export.");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "cut.otio"));
}

}  // namespace marrowick
