// Signing a film off from the window: under the reviewer named in the preferences, with the
// source fingerprint recorded at import, or computed first as an activity when there is none.
#include <exception>
#include <filesystem>

#include "analysis/file_fingerprint.h"
#include "disclosure/sign_off.h"
#include "workspace/preferences.h"
#include "workspace/review_store.h"

namespace marrowick {

void ReviewStore::signOff(const Uuid& filmID) {
    if (busy()) return;
    const std::optional<Reviewer> reviewer = Preferences::reviewer();
    const Film* film = project_.film(filmID);
    if (!film) return;
    if (!reviewer) {
        showError("Set a reviewer name in Settings before signing off.");
        return;
    }
    if (film->sourceSHA256) {
        const std::string fingerprint = *film->sourceSHA256;
        edit([&](Project& project) { SignOff::sign(project, filmID, *reviewer, fingerprint); });
        return;
    }
    const bool done = attempt([&] {
        Project trial = project_;  // refuses an unfinished film before the file is read
        SignOff::sign(trial, filmID, *reviewer, {});
    });
    if (!done) return;
    const std::filesystem::path path = film->path;
    if (!begin("Fingerprinting " + path.filename().string() + "…")) return;
    finish([this, filmID, path, reviewer = *reviewer](const ActivityContext& context) {
        const std::string fingerprint = FileFingerprint::sha256(path, context.stopToken());
        context.onMainThread([this, filmID, fingerprint, reviewer] {
            if (!project_.film(filmID)) return;
            recordActivitySnapshot();
            storeActivityResult([&](Project& project) { SignOff::sign(project, filmID, reviewer, fingerprint); });
        });
    });
}

}  // namespace marrowick
