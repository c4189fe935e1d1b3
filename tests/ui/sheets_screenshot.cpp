// Writes pictures of the delivery window, the preset editor, the settings, the disclosure guide
// and the About box on a demo review: marrowick-sheets-screenshot FOLDER. Run it under a real X
// server (scripts/take-screenshots).
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "delivery/preset_operations.h"
#include "demo_review.h"
#include "ui/about_view.h"
#include "ui/delivery_view.h"
#include "ui/guide_view.h"
#include "ui/preset_editor.h"
#include "ui/settings_view.h"
#include "ui/theme.h"
#include "workspace/project_files.h"
#include "workspace/review_store.h"

namespace {

bool save(QWidget& widget, const QDir& folder, const char* name) {
    widget.show();
    QTest::qWait(400);
    return widget.grab().save(folder.filePath(QString::fromLatin1(name)));
}

}  // namespace

int main(int argc, char** argv) {
    using namespace marrowick;
    if (argc != 2) {
        std::fprintf(stderr, "usage: marrowick-sheets-screenshot FOLDER\n");
        return 64;
    }
    testing::PrivateDataHome data;
    QApplication application(argc, argv);
    Theme::apply(application);
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    QTemporaryDir films;
    std::vector<std::string> paths;
    for (const char* name : {"harbour_night_v3.mov", "trailer_final_2398.mov"})
        paths.push_back(films.filePath(QString::fromLatin1(name)).toStdString());
    const std::filesystem::path file = data.path() / "demo.marrowick";
    ProjectFiles::write(file, testing::demoReview(paths, 8));
    testing::FakeDialogs dialogs;
    ReviewStore store(std::make_unique<testing::FakePlayer>(), dialogs, MARROWICK_RESOURCE_DIR);
    store.openProject(file, false);
    DeliveryPreset custom = PresetOperations::newMasteringPreset();
    custom.name = "House ProRes 4444 master";
    custom.group = "custom";
    store.savePreset(custom);
    DeliveryChoices choices = store.delivery();
    choices.deliveryKeys.insert(store.presets().front().key);
    store.setDelivery(choices);

    DeliveryView delivery(store, nullptr);
    bool written = save(delivery, folder, "delivery-window.png");
    PresetEditor editor(PresetOperations::newMasteringPreset(), [](const DeliveryPreset&) { return std::nullopt; },
                        nullptr);
    written &= save(editor, folder, "preset-editor.png");
    SettingsView settings(store, nullptr);
    written &= save(settings, folder, "settings.png");
    GuideView guide(nullptr);
    written &= save(guide, folder, "guide.png");
    QApplication::setApplicationVersion(QStringLiteral(MARROWICK_VERSION));
    AboutView about(MARROWICK_RESOURCE_DIR, nullptr);
    written &= save(about, folder, "about.png");
    return written ? 0 : 1;
}
