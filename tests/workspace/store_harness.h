// A controller started on a fake desktop and player in a private data folder, for controller tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "model/atomic_file.h"
#include "model/project_json.h"
#include "workspace/review_store.h"
#include "workspace_fixtures.h"

namespace marrowick::testing {

// The controller as the operations that run activities see it: the activity members are private
// to ReviewStore and reached through this interface.
inline ActivityHost& activities(ReviewStore& store) { return store; }

class StoreHarness : public ::testing::Test {
protected:
    PrivateDataHome home;
    FakeDialogs dialogs;
    FakePlayer* player = nullptr;  // owned by the store
    std::unique_ptr<ReviewStore> store;

    void start() {
        store.reset();
        auto fake = std::make_unique<FakePlayer>();
        player = fake.get();
        store = std::make_unique<ReviewStore>(std::move(fake), dialogs, MARROWICK_RESOURCE_DIR);
    }

    // Starts the controller with the project opened from a file.
    void startWith(const Project& project) {
        start();
        const auto file = home.path() / "review.marrowick";
        writeFileAtomically(file, ProjectJson::encode(project));
        store->openProject(file, false);
        ASSERT_FALSE(store->error()) << *store->error();
    }

    std::filesystem::path libraryFile() const { return home.path() / "Marrowick" / "delivery-presets.json"; }

    static std::string readText(const std::filesystem::path& file) {
        std::ifstream stream(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }
};

}  // namespace marrowick::testing
