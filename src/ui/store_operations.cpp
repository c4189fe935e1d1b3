// Seams for controller operations that later land in ReviewStore.
#include "ui/store_operations.h"

#include "workspace/review_store.h"

namespace marrowick::StoreOperations {
namespace {

void unavailable(ReviewStore& store, const char* what) {
    if (store.busy()) return;
    store.showNotice(std::string(what) + " is not part of this build yet.");
}

}  // namespace

void importDialog(ReviewStore& store) { unavailable(store, "Film import"); }

void importFiles(ReviewStore& store, const std::vector<std::filesystem::path>& files) {
    if (!files.empty()) unavailable(store, "Film import");
}

void relink(ReviewStore& store, const Uuid&) { unavailable(store, "Relinking"); }

void redetect(ReviewStore& store, const Uuid&) { unavailable(store, "Redetection"); }

void exportReports(ReviewStore& store) { unavailable(store, "The review package export"); }

void exportVideos(ReviewStore& store) { unavailable(store, "The labelled MOV export"); }

}  // namespace marrowick::StoreOperations
