// The window-modal error alert.
#include "ui/error_alert.h"

#include <QMessageBox>

#include "workspace/review_document.h"

namespace marrowick {

ErrorAlert::ErrorAlert(ReviewDocument& review, QWidget& window) : QObject(&window), review_(review), window_(window) {
    connect(&review_, &ReviewDocument::messagesChanged, this, &ErrorAlert::refresh);
    refresh();
}

void ErrorAlert::refresh() {
    const std::optional<std::string>& error = review_.error();
    if (!error) {
        if (box_) box_->close();
        return;
    }
    const QString text = QString::fromStdString(*error);
    if (box_) {
        box_->setText(text);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Marrowick"), text, QMessageBox::Ok, &window_);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Every way of dismissing the alert (OK, Escape, closing it) ends here.
    connect(box, &QMessageBox::finished, this, [this] { review_.clearError(); });
    box_ = box;
    box->open();
}

}  // namespace marrowick
