// Composition of the main window and its window-level behaviour.
#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/activity_footer.h"
#include "ui/app_delegate.h"
#include "ui/app_menus.h"
#include "ui/error_alert.h"
#include "ui/inspector.h"
#include "ui/label_layout_controls.h"
#include "ui/output_preview.h"
#include "ui/preview_pane.h"
#include "ui/qt_media_player.h"
#include "ui/review_header.h"
#include "ui/remembered_splitter.h"
#include "ui/review_keys.h"
#include "ui/shot_library.h"
#include "ui/sidebar.h"
#include "ui/store_operations.h"
#include "ui/widget_factory.h"
#include "ui/window_sheets.h"
#include "workspace/review_store.h"
#include "workspace/media_player.h"

namespace marrowick {
namespace {

constexpr QSize kMinimumSize{1180, 760};
constexpr int kPreviewMinimum = 220;
// At 1600 by 1000 these give the picture about two fifths of the window and the library the rest.
constexpr int kPreviewIdeal = 780;
constexpr int kLibraryIdeal = 120;
constexpr int kLibraryMinimumHeight = 120;
constexpr int kLibraryMinimumWidth = 560;

bool carriesFiles(const QMimeData* data) { return data && data->hasUrls(); }

}  // namespace

MainWindow::MainWindow(ReviewStore& store, AppDelegate& delegate, QWidget* parent)
    : QMainWindow(parent), store_(store), delegate_(delegate) {
    setWindowTitle(QStringLiteral("Marrowick"));
    setMinimumSize(kMinimumSize);
    setAcceptDrops(true);

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    sidebar_ = new Sidebar(store_, store_, central);
    row->addWidget(sidebar_);
    chrome_ = {sidebar_, WidgetFactory::divider(true, central)};
    row->addWidget(chrome_.back());
    row->addWidget(rightColumn(), 1);
    setCentralWidget(central);
    hostLayoutEditor();

    menus_ = new AppMenus(store_, *this);
    alert_ = new ErrorAlert(store_, *this);
    sheets_ = new WindowSheets(store_, store_, *this);
    new ReviewKeys(store_, inspector_->range(), *this);
    connect(&store_, &ReviewStore::presentationChanged, this, &MainWindow::followFullScreen);
}

void MainWindow::followFullScreen() {
    const bool on = store_.presentation().fullScreen;
    if (on == fullScreen_) return;
    fullScreen_ = on;
    // Only the preview pane stays; the window's own shortcuts keep working as they are.
    for (QWidget* part : chrome_) part->setVisible(!on);
    if (on) {
        wasMaximized_ = isMaximized();
        showFullScreen();
    } else if (wasMaximized_) {
        showMaximized();
    } else {
        showNormal();
    }
}

QWidget* MainWindow::rightColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* header = new ReviewHeader(store_, column);
    layout->addWidget(header);
    auto* headerDivider = WidgetFactory::divider(false, column);
    layout->addWidget(headerDivider);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    auto* split = new RememberedSplitter(Qt::Vertical, QStringLiteral("layout/previewSplit"), column);
    split->setChildrenCollapsible(false);
    split->setMinimumWidth(kLibraryMinimumWidth);
    auto* previewFrame = new QWidget(split);
    auto* previewLayout = new QVBoxLayout(previewFrame);
    previewLayout->setContentsMargins(0, 6, 0, 0);
    auto* qtPlayer = dynamic_cast<QtMediaPlayer*>(&store_.player());
    preview_ = new PreviewPane(store_, store_, qtPlayer ? &qtPlayer->videoSink() : nullptr, previewFrame);
    previewLayout->addWidget(preview_);
    previewFrame->setMinimumHeight(kPreviewMinimum);
    library_ = new ShotLibrary(store_, store_, split);
    library_->setMinimumHeight(kLibraryMinimumHeight);
    split->addWidget(previewFrame);
    split->addWidget(library_);
    split->setStretchFactor(0, 1);
    split->restore({kPreviewIdeal, kLibraryIdeal});
    middle->addWidget(split, 1);
    auto* inspectorDivider = WidgetFactory::divider(true, column);
    middle->addWidget(inspectorDivider);
    inspector_ = new Inspector(store_, store_, column);
    middle->addWidget(inspector_);
    layout->addLayout(middle, 1);

    auto* footerDivider = WidgetFactory::divider(false, column);
    layout->addWidget(footerDivider);
    auto* footer = new ActivityFooter(store_, column);
    layout->addWidget(footer);
    chrome_.insert(chrome_.end(), {header, headerDivider, library_, inspectorDivider, inspector_,
                                   footerDivider, footer});
    return column;
}

void MainWindow::hostLayoutEditor() {
    auto* controls = new LabelLayoutControls(store_);
    inspector_->hostLabelLayoutControls(controls);
    auto* output = new OutputPreview(store_, store_, preview_->player());
    output->setEditedKey([controls] { return controls->editedKey(); });
    connect(controls, &LabelLayoutControls::scopeChanged, &output->overlay(), &OutputOverlay::refresh);
    preview_->hostOutputPreview(output);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (delegate_.shouldTerminate()) event->accept();
    else event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (carriesFiles(event->mimeData()) && !store_.busy()) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (carriesFiles(event->mimeData()) && !store_.busy()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (!carriesFiles(event->mimeData()) || store_.busy()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    std::vector<std::filesystem::path> files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files.emplace_back(url.toLocalFile().toStdString());
    StoreOperations::importFiles(store_, files);
}

}  // namespace marrowick
