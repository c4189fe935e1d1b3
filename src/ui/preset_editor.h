// The preset editor: a working copy of one preset with its identity, technical recipe and file
// names. "Save preset" hands the copy to the save action it was opened with, which normalises,
// validates and stores it; its failure text stays in the editor's error line.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "delivery/delivery_preset.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace marrowick {

class PresetEditor : public QDialog {
    Q_OBJECT

public:
    // Returns the failure text, or nothing when the preset was saved.
    using SaveAction = std::function<std::optional<std::string>(const DeliveryPreset&)>;

    PresetEditor(DeliveryPreset preset, SaveAction save, QWidget* parent);

    const DeliveryPreset& preset() const { return preset_; }
    QString errorText() const;
    // The section that holds the recipe (disabled for a locked recipe).
    QWidget& technical() { return *technical_; }
    // Saves as "Save preset" does.
    void save();

private:
    struct NumberRow {
        QWidget* row;
        QLineEdit* field;
    };

    void buildIdentity(QVBoxLayout& column);
    void buildTechnical(QVBoxLayout& column);
    void buildFileNames(QVBoxLayout& column);
    QComboBox* picker(QVBoxLayout& column, const QString& title, const std::vector<std::pair<QString, QString>>& options,
                      std::function<void(const QString&)> choose);
    void addNumberFields(QVBoxLayout& column, std::size_t from, std::size_t to);
    void change(const std::function<void(DeliveryPreset&)>& apply);
    void refresh();

    DeliveryPreset preset_;
    SaveAction save_;
    QLineEdit* name_;
    QLineEdit* notes_;
    QLineEdit* url_;
    QLabel* lock_;
    QWidget* technical_;
    QComboBox* codec_;
    QComboBox* container_;
    QComboBox* pixelFormat_;
    QLineEdit* profile_;
    QComboBox* rate_;
    QComboBox* raster_;
    QCheckBox* convertRate_;
    QComboBox* audio_;
    std::vector<NumberRow> numbers_;
    QLineEdit* prefix_;
    QLineEdit* suffix_;
    QLabel* error_;
};

}  // namespace marrowick
