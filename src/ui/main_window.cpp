// Composition of the main window and its window-level behaviour.
#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QMimeData>
#include <QSplitter>
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
#include "ui/review_keys.h"
#include "ui/shot_library.h"
#include "ui/sidebar.h"
#include "ui/store_operations.h"
#include "ui/widget_factory.h"
#include "ui/window_sheets.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

constexpr QSize kMinimumSize{1180, 760};
constexpr int kPreviewMinimum = 220;
constexpr int kPreviewMaximum = 380;
constexpr int kPreviewIdeal = 330;
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
    sidebar_ = new Sidebar(store_, central);
    row->addWidget(sidebar_);
    row->addWidget(WidgetFactory::divider(true, central));
    row->addWidget(rightColumn(), 1);
    setCentralWidget(central);
    hostLayoutEditor();

    menus_ = new AppMenus(store_, *this);
    alert_ = new ErrorAlert(store_, *this);
    sheets_ = new WindowSheets(store_, *this);
    new ReviewKeys(store_, inspector_->range(), *this);
}

QWidget* MainWindow::rightColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new ReviewHeader(store_, column));
    layout->addWidget(WidgetFactory::divider(false, column));

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    auto* split = new QSplitter(Qt::Vertical, column);
    split->setChildrenCollapsible(false);
    split->setHandleWidth(1);
    split->setMinimumWidth(kLibraryMinimumWidth);
    auto* previewFrame = new QWidget(split);
    auto* previewLayout = new QVBoxLayout(previewFrame);
    previewLayout->setContentsMargins(12, 12, 12, 10);
    auto* qtPlayer = dynamic_cast<QtMediaPlayer*>(&store_.player());
    preview_ = new PreviewPane(store_, qtPlayer ? &qtPlayer->videoSink() : nullptr, previewFrame);
    previewLayout->addWidget(preview_);
    previewFrame->setMinimumHeight(kPreviewMinimum);
    previewFrame->setMaximumHeight(kPreviewMaximum);
    library_ = new ShotLibrary(store_, split);
    split->addWidget(previewFrame);
    split->addWidget(library_);
    split->setStretchFactor(1, 1);
    split->setSizes({kPreviewIdeal, kMinimumSize.height()});
    middle->addWidget(split, 1);
    middle->addWidget(WidgetFactory::divider(true, column));
    inspector_ = new Inspector(store_, column);
    middle->addWidget(inspector_);
    layout->addLayout(middle, 1);

    layout->addWidget(WidgetFactory::divider(false, column));
    layout->addWidget(new ActivityFooter(store_, column));
    return column;
}

void MainWindow::hostLayoutEditor() {
    auto* controls = new LabelLayoutControls(store_);
    inspector_->hostLabelLayoutControls(controls);
    auto* output = new OutputPreview(store_, preview_->player());
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
