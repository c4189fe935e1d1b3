// Writes a picture of the main window on a demo review: marrowick-ui-screenshot OUTPUT.png [FILM].
// The first film of the review is FILM when given, so the preview shows its picture. A second
// picture, OUTPUT-layout-editor.png, shows the label layout editor and the safe-zone guide on a
// preset's output. Run it under a real X server (xvfb-run) to see the fonts and rendering users get.
#include <cstdio>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "demo_review.h"
#include "ui/app_delegate.h"
#include "ui/main_window.h"
#include "ui/qt_media_player.h"
#include "ui/theme.h"
#include "workspace/project_files.h"
#include "workspace/review_store.h"

int main(int argc, char** argv) {
    using namespace marrowick;
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: marrowick-ui-screenshot OUTPUT.png [FILM]\n");
        return 64;
    }
    testing::PrivateDataHome data;
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("0.1.0"));
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
    const QString output = QString::fromLocal8Bit(argv[1]);
    if (!window.grab().save(output)) return 1;

    store.setSelection({project.shots[1].id});
    store.focusSelected();
    PresentationState presentation = store.presentation();
    presentation.previewPresetKey = "youtube_upload_16x9";
    presentation.editLabelLayout = true;
    presentation.showSafeZones = true;
    store.setPresentation(presentation);
    QTest::qWait(1000);
    QString editor = output;
    if (editor.endsWith(QStringLiteral(".png"))) editor.chop(4);
    editor += QStringLiteral("-layout-editor.png");
    return window.grab().save(editor) ? 0 : 1;
}
