// Sorting the desktop's command-line documents.
#include "ui/document_arguments.h"

#include <gtest/gtest.h>

namespace marrowick {
namespace {

TEST(DocumentArguments, FirstProjectOpensOtherFilesImportAndOptionsAndFurtherProjectsAreSkipped) {
    const DocumentArguments documents = DocumentArguments::parse(
        {"/usr/bin/marrowick", "-style", "/films/a.mov", "/reviews/one.MARROWICK", "--flag", "/reviews/two.marrowick",
         "/notes/readme.txt", ""});
    EXPECT_EQ(documents.project, std::filesystem::path("/reviews/one.MARROWICK"));
    EXPECT_EQ(documents.films,
              (std::vector<std::filesystem::path>{"/films/a.mov", "/notes/readme.txt"}));
    EXPECT_FALSE(DocumentArguments::parse({"/usr/bin/marrowick"}).project);
}

}  // namespace
}  // namespace marrowick
