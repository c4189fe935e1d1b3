// The window's film and export operations, forwarded to the controller.
#include "ui/store_operations.h"

#include "workspace/review_store.h"

namespace marrowick::StoreOperations {
namespace {

template <class Operation>
void withFilm(ReviewStore& store, const Uuid& filmID, Operation operation) {
    if (const Film* film = store.project().film(filmID)) (store.*operation)(Film(*film));
}

}  // namespace

void importDialog(ReviewStore& store) { store.importDialog(); }

void importFiles(ReviewStore& store, const std::vector<std::filesystem::path>& files) { store.dropFiles(files); }

void importWithCutList(ReviewStore& store) { store.importWithCutList(); }

void importNewVersion(ReviewStore& store) { store.importNewVersion(); }

void relink(ReviewStore& store, const Uuid& filmID) { withFilm(store, filmID, &ReviewStore::relink); }

void redetect(ReviewStore& store, const Uuid& filmID) { withFilm(store, filmID, &ReviewStore::redetect); }

void exportReports(ReviewStore& store) { store.exportReports(); }

void exportTimeline(ReviewStore& store) { store.exportTimeline(); }

void exportVideos(ReviewStore& store) { store.exportVideos(); }

void exportReviewReport(ReviewStore& store) { store.exportReviewReport(); }

void exportDelivery(ReviewStore& store) { store.exportDelivery(); }

void signOff(ReviewStore& store, const Uuid& filmID) { store.signOff(filmID); }

}  // namespace marrowick::StoreOperations
