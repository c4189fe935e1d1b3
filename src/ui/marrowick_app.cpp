// Start-up of the shell.
#include "ui/marrowick_app.h"

#include <QApplication>

#include "assistant/runtime_process_owner.h"
#include "ui/document_arguments.h"
#include "ui/main_window.h"
#include "ui/qt_media_player.h"
#include "ui/report_file.h"
#include "ui/store_operations.h"
#include "ui/theme.h"
#include "workspace/review_store.h"

namespace marrowick {

MarrowickApp::MarrowickApp(QApplication& application, const std::filesystem::path& resourceRoot)
    : store_(std::make_unique<ReviewStore>(std::make_unique<QtMediaPlayer>(), dialogs_, resourceRoot)),
      delegate_(dialogs_, [] { RuntimeProcessOwner::shared().terminate(); }) {
    Theme::apply(application);
    store_->setReportWriter(ReportFile::write);
    window_ = std::make_unique<MainWindow>(*store_, delegate_);
    dialogs_.setWindow(window_.get());
    window_->resize(1440, 900);
    window_->show();
    delegate_.setStore(store_.get());
}

MarrowickApp::~MarrowickApp() {
    window_.reset();
    store_.reset();
}

void MarrowickApp::openDocuments(const std::vector<std::string>& arguments) {
    const DocumentArguments documents = DocumentArguments::parse(arguments);
    if (documents.project) {
        if (!store_->confirmReplace()) return;
        store_->openProject(*documents.project, false);
    }
    StoreOperations::importFiles(*store_, documents.films);
}

void MarrowickApp::serveLaterStarts(SingleInstance::Handoff handoff) {
    if (handoff == SingleInstance::Handoff::noAnswer) {
        store_->showNotice("A running Marrowick window did not answer; this window opened on its own.");
        return;
    }
    instance_ = std::make_unique<SingleInstance>([this](const std::vector<std::string>& arguments) {
        if (window_->isMinimized()) window_->showNormal();
        window_->raise();
        window_->activateWindow();
        openDocuments(arguments);
    });
    instance_->listen();
}

}  // namespace marrowick
