// Writes the review package files in their fixed order, and names and creates package folders.
#include "disclosure/review_package.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "disclosure/disclosure_record.h"
#include "disclosure/label_assets.h"
#include "disclosure/shot_review_csv.h"
#include "model/atomic_file.h"
#include "model/project_json.h"
#include "model/reference_date.h"
#include "model/review_error.h"

namespace marrowick::Exporter {
namespace {

[[noreturn]] void failCopy(const std::filesystem::path& target, const std::error_code& error) {
    throw ReviewError("Could not copy \"" + target.filename().string() + "\": " + error.message() + ".");
}

std::string readWholeFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::ifstream stream(source, std::ios::binary);
    if (!stream) failCopy(target, std::make_error_code(std::errc::no_such_file_or_directory));
    std::string bytes{std::istreambuf_iterator<char>(stream), {}};
    if (stream.bad()) failCopy(target, std::make_error_code(std::errc::io_error));
    return bytes;
}

// Copies the artwork unless the folder already holds a file of its name.
void copyArtwork(Disclosure decision, LabelStyle style, const std::filesystem::path& folder,
                 const std::filesystem::path& resourceRoot) {
    const auto source = LabelAssets::url(resourceRoot, decision, style);
    if (!source) throw ReviewError("Official EU label assets are missing.");
    const std::filesystem::path target = folder / source->filename();
    std::error_code error;
    if (std::filesystem::exists(target, error)) return;
    writeFileAtomically(target, readWholeFile(*source, target));
}

// The package files of a project that has passed validation.
void writePackage(const Project& project, const std::filesystem::path& folder, const std::filesystem::path& resourceRoot) {
    writeFileAtomically(folder / kProjectFileName, ProjectJson::encodePretty(project));
    writeFileAtomically(folder / kShotReviewFileName, shotReviewCsv(project));
    writeFileAtomically(folder / kDisclosureRecordFileName, disclosureRecord(project, referenceDateNow()));
    const LabelStyle style = LabelAssets::styleOrWhite(project.labelStyle);
    for (Disclosure decision : {Disclosure::modified, Disclosure::generated})
        copyArtwork(decision, style, folder, resourceRoot);
}

}  // namespace

void reports(const Project& project, const std::filesystem::path& folder, const std::filesystem::path& resourceRoot,
             const std::set<std::string>& safeZoneProfileIDs) {
    project.validated(safeZoneProfileIDs);
    writePackage(project, folder, resourceRoot);
}

std::string packageFolderName(const Uuid& id) { return "Marrowick-" + id.text().substr(0, 8); }

std::filesystem::path createPackageFolder(const std::filesystem::path& parent) {
    const std::filesystem::path folder = parent / packageFolderName(Uuid::random());
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw ReviewError("Could not create the folder \"" + folder.filename().string() + "\": " + error.message() +
                          ".");
    return folder;
}

std::filesystem::path exportReviewPackage(const Project& project, const std::filesystem::path& parent,
                                          const std::filesystem::path& resourceRoot,
                                          const std::set<std::string>& safeZoneProfileIDs) {
    const std::filesystem::path folder = createPackageFolder(parent);
    try {
        project.validated(safeZoneProfileIDs);
    } catch (const ReviewError&) {
        std::error_code ignored;
        std::filesystem::remove(folder, ignored);  // still empty: nothing of the package was written
        throw;
    }
    writePackage(project, folder, resourceRoot);
    return folder;
}

}  // namespace marrowick::Exporter
