// Writes pictures of the main window into FOLDER: marrowick-ui-screenshot FOLDER [FILM].
// main-window.png shows a demo review, export-menu.png its Export menu,
// main-window-layout-editor.png the label layout editor with the safe-zone guide on a preset's
// output, empty-window.png the window before any import. The first film of the review is FILM
// when given, so the preview shows its picture. Run it under a real X server
// (scripts/take-screenshots) to see the fonts and rendering users get.
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "demo_review.h"
#include "ui/app_delegate.h"
#include "ui/main_window.h"
#include "ui/qt_media_player.h"
#include "ui/theme.h"
#include "workspace/project_files.h"
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
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: marrowick-ui-screenshot FOLDER [FILM]\n");
        return 64;
    }
    testing::PrivateDataHome data;
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(MARROWICK_VERSION));
    Theme::apply(application);

    QTemporaryDir films;
    std::vector<std::string> paths;
    for (const char* name : {"harbour_night_v3.mov", "trailer_final_2398.mov", "interview_b-roll.mp4"})
        paths.push_back(films.filePath(QString::fromLatin1(name)).toStdString());
    for (std::size_t i = 0; i + 1 < paths.size(); ++i) QFile(QString::fromStdString(paths[i])).open(QIODevice::WriteOnly);
    if (argc == 3) paths[0] = std::filesystem::absolute(argv[2]).string();
    const Project project = testing::demoReview(paths, 14);
    const std::filesystem::path file = data.path() / "demo.marrowick";
    ProjectFiles::write(file, project);

    testing::FakeDialogs dialogs;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    // First, while nothing has been autosaved for the controller to recover.
    bool written = saveEmptyWindow(dialogs, folder);
    ReviewStore store(std::make_unique<QtMediaPlayer>(), dialogs, MARROWICK_RESOURCE_DIR);
    AppDelegate delegate(dialogs, {});
    MainWindow window(store, delegate);
    delegate.setStore(&store);
    store.openProject(file, false);
    store.setSelection({project.shots[3].id, project.shots[4].id});
    store.focusSelected();
    store.showNotice("Finished. Your review is autosaved locally.");
    window.resize(1600, 1000);
    window.show();
    QTest::qWait(1500);
    written &= window.grab().save(folder.filePath(QStringLiteral("main-window.png")));
    written &= saveExportMenu(window, folder);

    store.setSelection({project.shots[1].id});
    store.focusSelected();
    PresentationState presentation = store.presentation();
    presentation.previewPresetKey = "youtube_upload_16x9";
    presentation.editLabelLayout = true;
    presentation.showSafeZones = true;
    store.setPresentation(presentation);
    QTest::qWait(1000);
    written &= window.grab().save(folder.filePath(QStringLiteral("main-window-layout-editor.png")));
    return written ? 0 : 1;
}
