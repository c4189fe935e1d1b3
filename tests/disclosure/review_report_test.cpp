// The review report's HTML: what it lists, who it names, and that no text from the project can
// become markup.
#include "disclosure/review_report.h"

#include <gtest/gtest.h>

#include <regex>

#include "../model/project_fixture.h"
#include "disclosure/sign_off.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

const char* const kHostile = "<script>alert('x')</script> & \"quoted\"";

ReviewReport::Options options() {
    ReviewReport::Options result;
    result.version = "9.8.7";
    result.created = 820000000;
    result.picture = ReviewReport::thumbnailDataAddress;
    return result;
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t found = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++found;
    return found;
}

std::string cells(std::initializer_list<const char*> times) {
    std::string text;
    for (const char* time : times) text += std::string("<td>") + time + "</td>";
    return text;
}

// The fixture: shot 0 modified (with a thumbnail and a note), shot 1 noted, shot 2 unreviewed on
// the first film; the second film's shots unreviewed except a generated one.
Project reportProject() {
    Project project = testing::fullProject();
    project.history.mut(0).reviewer = Reviewer{"Ada", "QC lead"};
    project.setNote(project.shots[1].id, "line one\nline two");
    const std::size_t before = project.history.size();
    project.decide({project.shots[5].id}, Disclosure::generated);
    project.attribute(before, Reviewer{"Bo", ""});
    return project;
}

TEST(ReviewReport, ListsEveryLabelledOrNotedShotWithItsTimesAndDecider) {
    const std::string html = ReviewReport::html(reportProject(), options());
    EXPECT_EQ(count(html, "<tr><td>"), 3u);  // shot 0 and 1 of the first film, shot 5 of the second
    // Start and end in each film's own timecode: the first starts at 01:00:00:00 and counts its
    // decoded frames (two a second), the second's last shot ends after its 302nd frame.
    EXPECT_NE(html.find(cells({"01:00:00:00", "01:00:00:02", "00:00:01.000"}) + "<td>AI modified</td>"),
              std::string::npos);
    EXPECT_NE(html.find(cells({"00:00:08:06", "00:00:12:02", "00:00:03.792"}) + "<td>AI generated</td><td>Bo<br>"),
              std::string::npos);
    EXPECT_NE(html.find("Ada (QC lead)<br>2026-12-26T17:46:40Z"), std::string::npos);
    EXPECT_NE(html.find("line one<br>line two"), std::string::npos);
    EXPECT_EQ(count(html, "<img src=\"data:image/jpeg;base64,"), 1u);
    EXPECT_NE(html.find("made with Marrowick 9.8.7"), std::string::npos);
    EXPECT_NE(html.find("<li>Ada (QC lead)</li>\n<li>Bo</li>"), std::string::npos);
}

TEST(ReviewReport, UnreviewedShotsAreCountedInRedAndSignOffsShown) {
    Project project = reportProject();
    project.decide({project.shots[1].id, project.shots[2].id}, Disclosure::none);
    SignOff::sign(project, project.films[0].id, Reviewer{"Ada", "QC lead"}, *project.films[0].sourceSHA256);
    const std::string html = ReviewReport::html(project, options());
    EXPECT_NE(html.find("Unreviewed: 0</td>"), std::string::npos);  // the first film: plain
    EXPECT_NE(html.find("font-weight: bold;\">Unreviewed: 2</span>"), std::string::npos);
    EXPECT_NE(html.find("<td>Signed off; signed by Ada (QC lead), "), std::string::npos);
    EXPECT_NE(html.find("<td>Not signed off</td>"), std::string::npos);

    project.decide({project.shots[0].id}, Disclosure::generated);
    EXPECT_NE(ReviewReport::html(project, options()).find("Sign-off void (changed after sign-off)</span>; signed by Ada"),
              std::string::npos);
}

TEST(ReviewReport, EveryTextFromTheProjectStaysText) {
    Project project = reportProject();
    project.name = kHostile;
    project.films[0].path = std::string("/films/") + kHostile + ".mov";
    project.films[0].detector = kHostile;
    project.films[0].sourceSHA256 = kHostile;
    project.shots.mut(0).note = kHostile;
    project.history.mut(0).reviewer = Reviewer{kHostile, kHostile};
    const std::string html = ReviewReport::html(project, options());
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("'x'"), std::string::npos);
    EXPECT_GE(count(html, "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;quoted&quot;"), 8u);
    // Self-contained: nothing is fetched from elsewhere.
    EXPECT_FALSE(std::regex_search(html, std::regex("(src|href)=\"(?!data:)")));
}

TEST(ReviewReport, ProgressRunsToTheEndAndAStopCancels) {
    ReviewReport::Options watched = options();
    std::vector<double> steps;
    watched.progress = [&](double fraction) { steps.push_back(fraction); };
    ReviewReport::html(reportProject(), watched);
    EXPECT_EQ(steps, (std::vector<double>{1.0 / 3, 2.0 / 3, 1.0}));

    std::stop_source stop;
    stop.request_stop();
    watched.stop = stop.get_token();
    EXPECT_THROW(ReviewReport::html(reportProject(), watched), Cancelled);
}

TEST(ReviewReport, ShotsWithoutAPictureAndAnEmptyReviewStillMakeAReport) {
    ReviewReport::Options plain = options();
    plain.picture = nullptr;
    EXPECT_EQ(ReviewReport::html(reportProject(), plain).find("<img"), std::string::npos);
    const std::string empty = ReviewReport::html(Project{}, options());
    EXPECT_NE(empty.find("The review holds no films."), std::string::npos);
    EXPECT_NE(empty.find("No reviewer is named in the history."), std::string::npos);
}

}  // namespace
}  // namespace marrowick
