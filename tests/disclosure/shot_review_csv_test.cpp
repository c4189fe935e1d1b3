// The shot spreadsheet's header, quoting, number and clock formats and line ends.
#include "disclosure/shot_review_csv.h"

#include <gtest/gtest.h>

namespace marrowick {
namespace {

const std::string kHeader =
    "film,shot_id,in_seconds,out_seconds,in_time,out_time,label,visual_group,category,review_note,local_assistant\r\n";

Project twoShotProject() {
    Project project;
    Film film;
    film.id = *Uuid::parse("11111111-2222-3333-4444-555555555555");
    film.path = "/media/edits/Reel 1.mov";
    project.films.push_back(film);
    Shot first;
    first.id = *Uuid::parse("aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee");
    first.filmID = film.id;
    first.start = 12.5;
    first.end = 3723.4567;
    first.disclosure = Disclosure::generated;
    first.group = 3;
    first.category = "outdoor";
    first.note = "Sky \"replaced\"\nby the VFX house";
    first.assistantNote = "a, b";
    project.shots.push_back(first);
    Shot second;
    second.id = *Uuid::parse("AAAAAAAA-0000-0000-0000-000000000001");
    second.filmID = film.id;
    second.start = 3723.4567;
    second.end = 3724;
    project.shots.push_back(second);
    return project;
}

TEST(ShotReviewCsv, EmptyProjectIsTheHeaderLineOnly) {
    EXPECT_EQ(shotReviewCsv(Project{}), kHeader);
}

TEST(ShotReviewCsv, EveryFieldIsQuotedWithQuotesDoubledAndLineBreaksKept) {
    const std::string expected =
        kHeader +
        "\"Reel 1.mov\",\"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE\",\"12.500000\",\"3723.456700\","
        "\"00:00:12.500\",\"01:02:03.457\",\"generated\",\"3\",\"outdoor\","
        "\"Sky \"\"replaced\"\"\nby the VFX house\",\"a, b\"\r\n"
        "\"Reel 1.mov\",\"AAAAAAAA-0000-0000-0000-000000000001\",\"3723.456700\",\"3724.000000\","
        "\"01:02:03.457\",\"01:02:04.000\",\"unreviewed\",\"0\",\"\",\"\",\"\"\r\n";
    EXPECT_EQ(shotReviewCsv(twoShotProject()), expected);
}

TEST(ShotReviewCsv, FilmColumnIsTheLastPathComponent) {
    Project project = twoShotProject();
    project.films[0].path = "/media/edits/folder/";
    EXPECT_EQ(shotReviewCsv(project).substr(kHeader.size(), 9), "\"folder\",");
    project.films[0].path = "plain.mp4";
    EXPECT_EQ(shotReviewCsv(project).substr(kHeader.size(), 12), "\"plain.mp4\",");
}

}  // namespace
}  // namespace marrowick
