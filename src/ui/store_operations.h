// The film and export operations the window offers, by film identity. Each forwards to
// ReviewStore.
#pragma once

#include <filesystem>
#include <vector>

#include "model/uuid.h"

namespace marrowick {

class ReviewStore;

namespace StoreOperations {

void importDialog(ReviewStore& store);
void importFiles(ReviewStore& store, const std::vector<std::filesystem::path>& files);
void importWithCutList(ReviewStore& store);
void importNewVersion(ReviewStore& store);
void relink(ReviewStore& store, const Uuid& filmID);
void redetect(ReviewStore& store, const Uuid& filmID);
void exportReports(ReviewStore& store);
void exportVideos(ReviewStore& store);
void exportTimeline(ReviewStore& store);
void exportReviewReport(ReviewStore& store);
void exportDelivery(ReviewStore& store);
void signOff(ReviewStore& store, const Uuid& filmID);

}  // namespace StoreOperations
}  // namespace marrowick
