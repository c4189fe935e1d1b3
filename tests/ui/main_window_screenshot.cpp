// Writes pictures of the main window into FOLDER: marrowick-ui-screenshot FOLDER FILM, where FILM
// is the demo film (tools/make-demo-film). The film is imported for real and a few shots are
// decided; main-window.png shows that review, main-window-compact.png the same in compact rows,
// export-menu.png its Export menu, main-window-layout-editor.png the label layout editor with the
// safe-zone guide on a preset's output, empty-window.png the window before any import. Run it
// under a real X server (scripts/take-screenshots) to see the fonts and rendering users get.
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

#include "demo_import.h"
#include "ui/app_delegate.h"
#include "ui/main_window.h"
#include "ui/qt_media_player.h"
#include "ui/theme.h"
#include "workspace/review_store.h"

namespace {

using namespace marrowick;

// The header's Export menu, opened under its button and pictured alone.
bool saveExportMenu(QWidget& window, const QDir& folder) {
    for (QToolButton* button : window.findChildren<QToolButton*>()) {
        if (button->text() != QStringLiteral("Export") || !button->menu()) continue;
        QMenu* menu = button->menu();
        menu->popup(button->mapToGlobal(QPoint(0, button->height())));
        QTest::qWait(400);
        const bool written = menu->grab().save(folder.filePath(QStringLiteral("export-menu.png")));
        menu->hide();
        return written;
    }
    return false;
}

// The window over a controller with nothing open: what a first start shows.
bool saveEmptyWindow(testing::FakeDialogs& dialogs, const QDir& folder) {
    ReviewStore store(std::make_unique<QtMediaPlayer>(), dialogs, MARROWICK_RESOURCE_DIR);
    AppDelegate delegate(dialogs, {});
    MainWindow window(store, delegate);
    delegate.setStore(&store);
    window.resize(1280, 800);
    window.show();
    QTest::qWait(800);
    return window.grab().save(folder.filePath(QStringLiteral("empty-window.png")));
}

}  // namespace

int main(int argc, char** argv) {
    using namespace marrowick;
    if (argc != 3) {
        std::fprintf(stderr, "usage: marrowick-ui-screenshot FOLDER FILM\n");
        return 64;
    }
    testing::PrivateDataHome data;
    testing::privatePreferences(data.path());
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(MARROWICK_VERSION));
    Theme::apply(application);

    testing::FakeDialogs dialogs;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    // First, while nothing has been autosaved for the controller to recover.
    bool written = saveEmptyWindow(dialogs, folder);
    ReviewStore store(std::make_unique<QtMediaPlayer>(), dialogs, MARROWICK_RESOURCE_DIR);
    AppDelegate delegate(dialogs, {});
    MainWindow window(store, delegate);
    delegate.setStore(&store);
    window.resize(1600, 1000);
    window.show();
    if (!testing::importDemoFilm(store, argv[2])) return 1;
    testing::decideDemo(store);
    // Room for several rows in the library, as a reviewer drags the handle under the preview.
    for (QSplitter* split : window.findChildren<QSplitter*>())
        if (split->orientation() == Qt::Vertical) split->setSizes({500, 370});
    const std::vector<Uuid> shots = testing::demoShots(store);
    store.setSelection({shots[1]});
    store.focusSelected();
    store.showNotice("Finished. Your review is autosaved locally.");
    QTest::qWait(1500);
    written &= window.grab().save(folder.filePath(QStringLiteral("main-window.png")));
    written &= saveExportMenu(window, folder);

    PresentationState presentation = store.presentation();
    presentation.compactRows = true;
    store.setPresentation(presentation);
    QTest::qWait(500);
    written &= window.grab().save(folder.filePath(QStringLiteral("main-window-compact.png")));

    store.setSelection({shots[shots.size() > 5 ? 5 : 0]});
    store.focusSelected();
    presentation.compactRows = false;
    presentation.previewPresetKey = "youtube_upload_16x9";
    presentation.editLabelLayout = true;
    presentation.showSafeZones = true;
    store.setPresentation(presentation);
    QTest::qWait(1000);
    written &= window.grab().save(folder.filePath(QStringLiteral("main-window-layout-editor.png")));
    return written ? 0 : 1;
}
