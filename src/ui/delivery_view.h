// The delivery window: FFmpeg status, the searchable preset list with selection and row menus,
// the export choices and the two export buttons. The preset editor opens from here.
#pragma once

#include <functional>
#include <vector>

#include <QDialog>
#include <QPointer>

#include "delivery/delivery_preset.h"
#include "ui/preset_editor.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace marrowick {

class PresetRow;
class ReviewDocument;
class ReviewStore;
class ToggleSwitch;

class DeliveryView : public QDialog {
    Q_OBJECT

public:
    DeliveryView(ReviewStore& store, ReviewDocument& review, QWidget* parent);

    // The listed rows, in order.
    const std::vector<PresetRow*>& rows() const { return rows_; }
    QLineEdit& search() { return *search_; }
    QAction& showArchived() { return *showArchived_; }
    QPushButton& exportButton() { return *export_; }
    // The editor while one is open.
    PresetEditor* editor() const { return editor_; }
    // Opens the editor on a preset; saving goes through the controller's savePreset.
    void edit(const DeliveryPreset& preset);

private:
    void buildTools(QVBoxLayout& column);
    void buildList(QVBoxLayout& column);
    void buildChoices(QVBoxLayout& column);
    void buildButtons(QVBoxLayout& column);
    void rebuildRows();
    void refreshChoices();
    void refreshTools();
    // Closes the window, then runs the operation.
    void closeThen(const std::function<void()>& operation);

    ReviewStore& store_;  // runs the exports
    ReviewDocument& review_;
    QLabel* toolsSymbol_;
    QLabel* toolsText_;
    QLineEdit* search_;
    QAction* showArchived_;
    QVBoxLayout* list_;
    std::vector<PresetRow*> rows_;
    QComboBox* framing_;
    QLabel* counts_;
    ToggleSwitch* rec709_;
    QPushButton* export_;
    QPointer<PresetEditor> editor_;
    bool toolsFound_ = false;
};

}  // namespace marrowick
