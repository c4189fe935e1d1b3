// Writes pictures of the delivery window, the preset editor, the settings, the disclosure guide
// and the About box over a real import of the demo film: marrowick-sheets-screenshot FOLDER FILM.
// Run it under a real X server (scripts/take-screenshots).
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QTest>

#include "delivery/preset_operations.h"
#include "demo_import.h"
#include "ui/about_view.h"
#include "ui/delivery_view.h"
#include "ui/guide_view.h"
#include "ui/preset_editor.h"
#include "ui/settings_view.h"
#include "ui/theme.h"
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: marrowick-sheets-screenshot FOLDER FILM\n");
        return 64;
    }
    testing::PrivateDataHome data;
    testing::privatePreferences(data.path());
    QApplication application(argc, argv);
    Theme::apply(application);
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    testing::FakeDialogs dialogs;
    ReviewStore store(std::make_unique<testing::FakePlayer>(), dialogs, MARROWICK_RESOURCE_DIR);
    if (!testing::importDemoFilm(store, argv[2])) return 1;
    testing::decideDemo(store);
    DeliveryPreset custom = PresetOperations::newMasteringPreset();
    custom.name = "House ProRes 4444 master";
    custom.group = "custom";
    store.deliverySetup().savePreset(custom);
    DeliveryChoices choices = store.deliverySetup().delivery();
    choices.deliveryKeys.insert(store.deliverySetup().presets().front().key);
    store.deliverySetup().setDelivery(choices);

    DeliveryView delivery(store, store, nullptr);
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
