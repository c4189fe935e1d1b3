// The disclosure record's thirteen lines: counts, dates, numbers, the names of what ran, addresses.
#include "disclosure/disclosure_record.h"

#include <gtest/gtest.h>

#include "model/reference_date.h"

namespace marrowick {
namespace {

// 2026-12-08T10:31:31Z on the 2001 reference timeline.
constexpr double kCreated = 1796725891.0 - kReferenceDateUnixSeconds;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    result.push_back(text.substr(start));
    return result;
}

Film filmDetectedBy(const std::string& detector) {
    Film film;
    film.id = Uuid::random();
    film.detector = detector;
    return film;
}

TEST(DisclosureRecord, EmptyProjectHasThirteenLinesAndNoFinalLineBreak) {
    Project project;
    project.name = "Pilot";
    const std::string text = disclosureRecord(project, kCreated);
    ASSERT_NE(text.back(), '\n');
    const auto record = lines(text);
    ASSERT_EQ(record.size(), 13u);
    EXPECT_EQ(record[0], "Marrowick review export");
    EXPECT_EQ(record[1], "Project: Pilot");
    EXPECT_EQ(record[2], "Created: 2026-12-08T10:31:31Z");
    EXPECT_EQ(record[3], "Reviewed shots: 0/0");
    EXPECT_EQ(record[5], "Detector: no films detected, threshold 0.5.");
    EXPECT_EQ(record[6], "Visual groups: Marrowick local image descriptors, distance 0.35. Similarity is advisory.");
    EXPECT_EQ(record[7], "Per-shot visible disclosure selected.");
    EXPECT_EQ(record[8], "");
    EXPECT_EQ(record[11],
              "Source: https://digital-strategy.ec.europa.eu/en/policies/eu-icons-labelling-ai-generated-content");
    EXPECT_EQ(record[12], "Regulation: https://eur-lex.europa.eu/eli/reg/2024/1689/oj");
}

TEST(DisclosureRecord, NamesTheDetectorsRecordedInTheFilmsAndNeverAPlatformItDoesNotUse) {
    Project project;
    project.threshold = 0.25;
    project.groupingThreshold = 1;
    project.films = {filmDetectedBy("TransNetV2"), filmDetectedBy("built-in scorer"), filmDetectedBy("TransNetV2")};
    const auto record = lines(disclosureRecord(project, kCreated));
    EXPECT_EQ(record[5], "Detector: TransNetV2 and built-in scorer, threshold 0.25.");
    EXPECT_EQ(record[6], "Visual groups: Marrowick local image descriptors, distance 1.0. Similarity is advisory.");
    project.films.push_back(filmDetectedBy("third"));
    EXPECT_EQ(lines(disclosureRecord(project, kCreated))[5],
              "Detector: TransNetV2, built-in scorer and third, threshold 0.25.");
    const std::string text = disclosureRecord(project, kCreated);
    EXPECT_EQ(text.find("Core ML"), std::string::npos);
    EXPECT_EQ(text.find("Apple"), std::string::npos);
}

TEST(DisclosureRecord, ReviewedCountAndCreativeWorkNote) {
    Project project;
    project.films = {filmDetectedBy("TransNetV2")};
    for (Disclosure decision : {Disclosure::unreviewed, Disclosure::none, Disclosure::generated}) {
        Shot shot;
        shot.filmID = project.films[0].id;
        shot.disclosure = decision;
        project.shots.push_back(shot);
    }
    project.workDisclosure = "Sequences were generated.";
    EXPECT_EQ(lines(disclosureRecord(project, kCreated))[3], "Reviewed shots: 2/3");
    EXPECT_EQ(lines(disclosureRecord(project, kCreated))[7], "Per-shot visible disclosure selected.");
    project.artisticWork = true;
    EXPECT_EQ(lines(disclosureRecord(project, kCreated))[7],
              "Creative-work disclosure note: Sequences were generated.");
}

}  // namespace
}  // namespace marrowick
