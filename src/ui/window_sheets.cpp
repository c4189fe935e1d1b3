// Opening and closing the window's sheets from the controller's presentation flags.
#include "ui/window_sheets.h"

#include <QWidget>

#include "ui/delivery_view.h"
#include "ui/guide_view.h"
#include "ui/settings_view.h"
#include "workspace/review_document.h"

namespace marrowick {

WindowSheets::WindowSheets(ReviewStore& store, ReviewDocument& review, QWidget& window)
    : QObject(&window), store_(store), review_(review), window_(window) {
    sheets_ = {
        {&PresentationState::settings, [this] { return new SettingsView(store_, &window_); }, {}},
        {&PresentationState::guide, [this] { return new GuideView(&window_); }, {}},
        {&PresentationState::deliverySettings, [this] { return new DeliveryView(store_, review_, &window_); }, {}},
    };
    connect(&review_, &ReviewDocument::presentationChanged, this, &WindowSheets::refresh);
    refresh();
}

QDialog* WindowSheets::sheet(bool PresentationState::*flag) const {
    for (const Sheet& sheet : sheets_)
        if (sheet.flag == flag) return sheet.dialog;
    return nullptr;
}

void WindowSheets::refresh() {
    const PresentationState& presentation = review_.presentation();
    for (Sheet& sheet : sheets_) {
        const bool wanted = presentation.*(sheet.flag);
        if (wanted && !sheet.dialog) open(sheet);
        if (!wanted && sheet.dialog) sheet.dialog->close();
    }
}

void WindowSheets::open(Sheet& sheet) {
    QDialog* dialog = sheet.make();
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const auto flag = sheet.flag;
    connect(dialog, &QDialog::finished, this, [this, flag] {
        PresentationState presentation = review_.presentation();
        presentation.*flag = false;
        review_.setPresentation(presentation);
    });
    sheet.dialog = dialog;
    dialog->open();
}

}  // namespace marrowick
