// Layout and bindings of the preset editor.
#include "ui/preset_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "delivery/preset_editing.h"
#include "ui/preset_number_field.h"
#include "ui/sheet_layout.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"

namespace marrowick {
namespace {

using Options = std::vector<std::pair<QString, QString>>;  // title, stored value

Options plain(std::initializer_list<const char*> values) {
    Options options;
    for (const char* value : values) options.emplace_back(QString::fromLatin1(value), QString::fromLatin1(value));
    return options;
}

const Options kCodecs = plain({"h264", "hevc", "vp9", "prores_422", "prores_422hq", "prores_4444", "prores_4444xq"});
const Options kContainers = plain({"mp4", "mov", "webm"});
const Options kPixelFormats = plain({"yuv420p", "yuv420p10le", "yuv422p10le", "yuva444p10le"});
// A stored value as the pickers hold it.
QString valueText(std::string_view value) { return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())); }

const Options kRates = {{QStringLiteral("CRF"), valueText(rateModeKey(RateMode::crf))},
                        {QStringLiteral("VBR / average bitrate"), valueText(rateModeKey(RateMode::vbr))},
                        {QStringLiteral("CBR"), valueText(rateModeKey(RateMode::cbr))},
                        {QStringLiteral("Codec quality · ProRes"), valueText(rateModeKey(RateMode::quality))}};
const Options kRasters = {{QStringLiteral("Source"), valueText(rasterModeKey(RasterMode::source))},
                          {QStringLiteral("Exact"), valueText(rasterModeKey(RasterMode::exact))},
                          {QStringLiteral("Maximum longest edge"), valueText(rasterModeKey(RasterMode::maxLongestEdge))}};
const Options kAudio = plain({"aac", "opus", "pcm_s24le", "copy", "none"});

// The number fields between pickers: rate fields, raster fields, the frame rate, the audio fields.
constexpr std::size_t kRateFields = 0, kRasterFields = 4, kFpsField = 7, kAudioFields = 8, kFieldCount = 11;

void select(QComboBox& box, std::string_view value) {
    const QSignalBlocker blocker(&box);
    box.setCurrentIndex(box.findData(valueText(value)));
}

QLineEdit* textField(QVBoxLayout& column, const QString& title, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setAccessibleName(title);
    column.addLayout(SheetLayout::row(title, field, parent));
    return field;
}

}  // namespace

PresetEditor::PresetEditor(DeliveryPreset preset, SaveAction save, QWidget* parent)
    : QDialog(parent), preset_(std::move(preset)), save_(std::move(save)) {
    setWindowTitle(QStringLiteral("Encoding preset"));
    setWindowModality(Qt::WindowModal);
    resize(620, 820);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 22, 24, 18);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(WidgetFactory::label(QStringLiteral("Encoding preset"), Theme::font(20, QFont::DemiBold), Theme::kText, this));
    titleRow->addStretch(1);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* saveButton = WidgetFactory::button(QStringLiteral("Save preset"), {}, "prominent", this);
    saveButton->setDefault(true);
    titleRow->addWidget(cancel);
    titleRow->addWidget(saveButton);
    outer->addLayout(titleRow);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(saveButton, &QPushButton::clicked, this, &PresetEditor::save);

    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 8, 0);
    buildIdentity(*column);
    buildTechnical(*column);
    buildFileNames(*column);
    column->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);
    error_ = WidgetFactory::label({}, Theme::font(12), QColor(255, 105, 97), this);
    error_->setWordWrap(true);
    outer->addWidget(error_);
    refresh();
}

QString PresetEditor::errorText() const { return error_->text(); }

void PresetEditor::buildIdentity(QVBoxLayout& column) {
    SheetLayout::section(column, QStringLiteral("Identity"), this);
    name_ = textField(column, QStringLiteral("Name"), this);
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        change([&](DeliveryPreset& p) { p.name = text.toStdString(); });
    });
    notes_ = textField(column, QStringLiteral("Notes"), this);
    connect(notes_, &QLineEdit::textEdited, this, [this](const QString& text) {
        change([&](DeliveryPreset& p) { p.applicabilityNotes = text.toStdString(); });
    });
    url_ = textField(column, QStringLiteral("Specification URL"), this);
    connect(url_, &QLineEdit::textEdited, this, [this](const QString& text) {
        change([&](DeliveryPreset& p) { p.specificationUrl = text.toStdString(); });
    });
    lock_ = WidgetFactory::label(QStringLiteral("Locked XDCAM technical recipe. Only presentation details can be changed."),
                                 Theme::font(12), Theme::kAccent, this);
    lock_->setWordWrap(true);
    column.addWidget(lock_);
}

QComboBox* PresetEditor::picker(QVBoxLayout& column, const QString& title, const Options& options,
                                std::function<void(const QString&)> choose) {
    auto* box = new QComboBox(technical_);
    box->setAccessibleName(title);
    for (const auto& [text, value] : options) box->addItem(text, value);
    column.addLayout(SheetLayout::row(title, box, technical_));
    connect(box, &QComboBox::activated, this, [box, choose = std::move(choose)](int index) {
        choose(box->itemData(index).toString());
    });
    return box;
}

void PresetEditor::addNumberFields(QVBoxLayout& column, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        const PresetNumberField& spec = PresetNumberField::all()[i];
        auto* row = new QWidget(technical_);
        auto* field = new QLineEdit(row);
        field->setAccessibleName(spec.title);
        auto* line = SheetLayout::row(spec.title, field, row);
        line->setContentsMargins(0, 0, 0, 0);
        row->setLayout(line);
        column.addWidget(row);
        numbers_.push_back({row, field});
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            change([&](DeliveryPreset& p) { PresetNumberField::all()[i].enter(p, text); });
        });
    }
}

void PresetEditor::buildTechnical(QVBoxLayout& column) {
    SheetLayout::section(column, QStringLiteral("Technical"), this);
    technical_ = new QWidget(this);
    auto* inner = new QVBoxLayout(technical_);
    inner->setContentsMargins(0, 0, 0, 0);
    column.addWidget(technical_);
    codec_ = picker(*inner, QStringLiteral("Video codec"), kCodecs, [this](const QString& value) {
        change([&](DeliveryPreset& p) { PresetEditing::chooseCodec(p, value.toStdString()); });
    });
    container_ = picker(*inner, QStringLiteral("Container"), kContainers, [this](const QString& value) {
        change([&](DeliveryPreset& p) { p.encoding.container = value.toStdString(); });
    });
    pixelFormat_ = picker(*inner, QStringLiteral("Pixel format"), kPixelFormats, [this](const QString& value) {
        change([&](DeliveryPreset& p) { p.encoding.pixelFormat = value.toStdString(); });
    });
    profile_ = textField(*inner, QStringLiteral("Profile"), technical_);
    connect(profile_, &QLineEdit::textEdited, this, [this](const QString& text) {
        change([&](DeliveryPreset& p) {
            p.encoding.videoProfile = text.isEmpty() ? std::nullopt : std::optional(text.toStdString());
        });
    });
    rate_ = picker(*inner, QStringLiteral("Rate control"), kRates, [this](const QString& value) {
        change([&](DeliveryPreset& p) {
            if (const std::optional<RateMode> mode = parseRateMode(value.toStdString())) p.encoding.rateControl.mode = *mode;
        });
    });
    addNumberFields(*inner, kRateFields, kRasterFields);
    raster_ = picker(*inner, QStringLiteral("Raster"), kRasters, [this](const QString& value) {
        change([&](DeliveryPreset& p) {
            if (const std::optional<RasterMode> mode = parseRasterMode(value.toStdString())) PresetEditing::chooseRaster(p, *mode);
        });
    });
    addNumberFields(*inner, kRasterFields, kFpsField);
    convertRate_ = new QCheckBox(QStringLiteral("Convert to an exact frame rate"), technical_);
    inner->addWidget(convertRate_);
    connect(convertRate_, &QCheckBox::clicked, this, [this](bool on) {
        change([&](DeliveryPreset& p) { PresetEditing::setConvertsFrameRate(p, on); });
    });
    addNumberFields(*inner, kFpsField, kAudioFields);
    audio_ = picker(*inner, QStringLiteral("Audio"), kAudio, [this](const QString& value) {
        change([&](DeliveryPreset& p) { p.encoding.audio.codec = value.toStdString(); });
    });
    addNumberFields(*inner, kAudioFields, kFieldCount);
}

void PresetEditor::buildFileNames(QVBoxLayout& column) {
    SheetLayout::section(column, QStringLiteral("File names"), this);
    prefix_ = textField(column, QStringLiteral("Filename prefix"), this);
    connect(prefix_, &QLineEdit::textEdited, this, [this](const QString& text) {
        change([&](DeliveryPreset& p) { p.prefix = text.toStdString(); });
    });
    suffix_ = textField(column, QStringLiteral("Filename suffix"), this);
    connect(suffix_, &QLineEdit::textEdited, this, [this](const QString& text) {
        change([&](DeliveryPreset& p) { p.suffix = text.toStdString(); });
    });
}

void PresetEditor::change(const std::function<void(DeliveryPreset&)>& apply) {
    apply(preset_);
    refresh();
}

void PresetEditor::refresh() {
    const Encoding& encoding = preset_.encoding;
    SheetLayout::showText(*name_, QString::fromStdString(preset_.name));
    SheetLayout::showText(*notes_, QString::fromStdString(preset_.applicabilityNotes.value_or(std::string())));
    SheetLayout::showText(*url_, QString::fromStdString(preset_.specificationUrl));
    const bool locked = PresetEditing::technicalLocked(preset_);
    lock_->setVisible(locked);
    technical_->setEnabled(!locked);
    select(*codec_, encoding.videoCodec);
    select(*container_, encoding.container);
    select(*pixelFormat_, encoding.pixelFormat.value_or(std::string()));
    SheetLayout::showText(*profile_, QString::fromStdString(encoding.videoProfile.value_or(std::string())));
    select(*rate_, rateModeKey(encoding.rateControl.mode));
    select(*raster_, rasterModeKey(preset_.requirements.resolution.mode));
    convertRate_->setChecked(PresetEditing::convertsFrameRate(preset_));
    select(*audio_, encoding.audio.codec);
    for (std::size_t i = 0; i < numbers_.size(); ++i) {
        const PresetNumberField& spec = PresetNumberField::all()[i];
        const bool shown = spec.shown(preset_);
        numbers_[i].row->setVisible(shown);
        if (shown && !numbers_[i].field->hasFocus()) SheetLayout::showText(*numbers_[i].field, spec.text(preset_));
    }
    SheetLayout::showText(*prefix_, QString::fromStdString(preset_.prefix));
    SheetLayout::showText(*suffix_, QString::fromStdString(preset_.suffix));
}

void PresetEditor::save() {
    if (const std::optional<std::string> failure = save_(preset_)) {
        error_->setText(QString::fromStdString(*failure));
        return;
    }
    accept();
}

}  // namespace marrowick
