// Layout and bindings of the review settings sheet.
#include "ui/settings_view.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSize>
#include <QVBoxLayout>

#include "ui/sheet_layout.h"
#include "ui/step_slider.h"
#include "ui/toggle_switch.h"
#include "workspace/preferences.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

constexpr std::pair<LabelStyle, const char*> kStyles[] = {
    {LabelStyle::white, "White · solid"},
    {LabelStyle::black, "Black · solid"},
    {LabelStyle::white50, "White · 50% background"},
    {LabelStyle::black50, "Black · 50% background"},
};
constexpr std::pair<TimeDisplay, const char*> kTimeDisplays[] = {
    {TimeDisplay::timecode, "Timecode"},
    {TimeDisplay::frames, "Frames"},
    {TimeDisplay::seconds, "Seconds"},
};
constexpr const char* kCorners[] = {"Bottom right", "Bottom left", "Top right", "Top left"};

QString twoDecimals(double value) { return QString::number(value, 'f', 2); }

}  // namespace

SettingsView::SettingsView(ReviewStore& store, QWidget* parent)
    : QDialog(parent), store_(store), opened_(store.project()) {
    QVBoxLayout* column = SheetLayout::scrollingDoneSheet(*this, QStringLiteral("Review settings"), QSize(660, 820));
    column->setSpacing(8);
    buildProject(*column);
    buildReviewer(*column);
    buildDisplay(*column);
    buildDetection(*column);
    buildLabels(*column);
    buildModel(*column);
    column->addStretch(1);

    connect(&store_, &ReviewStore::projectChanged, this, &SettingsView::refreshProject);
    connect(&store_.assistant(), &AssistantService::assistantChanged, this, &SettingsView::refreshAssistant);
    connect(&store_, &ReviewStore::activityChanged, this, &SettingsView::refreshProject);
    refreshProject();
    loadModels();
}

QString SettingsView::percentText(double width) {
    // The small tolerance keeps a slider step such as 0.29 (28.999... after scaling) at 29.
    return QString::number(static_cast<long long>(std::trunc(width * 100 + 1e-9))) + QStringLiteral("%");
}

void SettingsView::buildReviewer(QBoxLayout& column) {
    SheetLayout::section(column, QStringLiteral("Reviewer"), this);
    auto* name = new QLineEdit(QString::fromStdString(Preferences::reviewerName()), this);
    name->setObjectName(QStringLiteral("ReviewerName"));
    column.addLayout(SheetLayout::row(QStringLiteral("Reviewer name"), name, this));
    connect(name, &QLineEdit::textEdited, this,
            [](const QString& text) { Preferences::setReviewerName(text.trimmed().toStdString()); });
    auto* role = new QLineEdit(QString::fromStdString(Preferences::reviewerRole()), this);
    role->setObjectName(QStringLiteral("ReviewerRole"));
    column.addLayout(SheetLayout::row(QStringLiteral("Role"), role, this));
    connect(role, &QLineEdit::textEdited, this,
            [](const QString& text) { Preferences::setReviewerRole(text.trimmed().toStdString()); });
    column.addWidget(SheetLayout::caption(
        QStringLiteral("Kept in your preferences on this computer, not in the review. Every review action you take "
                       "from now on names you in the review's history, and signing off a film needs a name."),
        this));
}

void SettingsView::buildProject(QBoxLayout& column) {
    SheetLayout::section(column, QStringLiteral("Project"), this);
    name_ = new QLineEdit(this);
    column.addLayout(SheetLayout::row(QStringLiteral("Review name"), name_, this));
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        store_.changeSettings([&](Project& project) { project.name = text.toStdString(); });
    });
    artistic_ = new ToggleSwitch(QStringLiteral("Evidently artistic / creative work"), this);
    column.addWidget(artistic_);
    connect(artistic_, &ToggleSwitch::clicked, this, [this](bool on) {
        store_.changeSettings([&](Project& project) { project.artisticWork = on; });
    });
    workDisclosure_ = new QLineEdit(this);
    column.addLayout(SheetLayout::row(QStringLiteral("Work-level disclosure note"), workDisclosure_, this));
    connect(workDisclosure_, &QLineEdit::textEdited, this, [this](const QString& text) {
        store_.changeSettings([&](Project& project) { project.workDisclosure = text.toStdString(); });
    });
    column.addWidget(SheetLayout::caption(
        QStringLiteral("This note is included in the review record. Video exports use the per-shot labels you chose; "
                       "a creative-work alternative disclosure needs its own editorial placement."),
        this));
    column.addWidget(SheetLayout::caption(
        QStringLiteral("Outputs carry machine-readable disclosure (XMP, IPTC digital source type)"), this));
}

void SettingsView::buildDisplay(QBoxLayout& column) {
    SheetLayout::section(column, QStringLiteral("Display"), this);
    timeDisplay_ = new QComboBox(this);
    for (const auto& [display, title] : kTimeDisplays) timeDisplay_->addItem(QString::fromUtf8(title));
    for (std::size_t i = 0; i < std::size(kTimeDisplays); ++i)
        if (kTimeDisplays[i].first == store_.presentation().timeDisplay) timeDisplay_->setCurrentIndex(int(i));
    column.addLayout(SheetLayout::row(QStringLiteral("Time display"), timeDisplay_, this));
    connect(timeDisplay_, &QComboBox::activated, this, [this](int index) {
        PresentationState presentation = store_.presentation();
        presentation.timeDisplay = kTimeDisplays[index].first;
        store_.setPresentation(std::move(presentation));
    });
    column.addWidget(SheetLayout::caption(
        QStringLiteral("Timecode counts from each film's own start timecode. The shot list, the transport clock, the "
                       "range fields and cut-list messages follow this choice; EDL and OpenTimelineIO exports always "
                       "count from that timecode, and the review package's CSV always lists seconds."),
        this));
    compactRows_ = new ToggleSwitch(QStringLiteral("Compact rows"), this);
    compactRows_->setObjectName(QStringLiteral("CompactRows"));
    compactRows_->setChecked(store_.presentation().compactRows);
    column.addWidget(compactRows_);
    connect(compactRows_, &ToggleSwitch::clicked, this, [this](bool on) {
        PresentationState presentation = store_.presentation();
        presentation.compactRows = on;
        store_.setPresentation(std::move(presentation));
    });
    connect(&store_, &ReviewStore::presentationChanged, compactRows_, [this] {
        const QSignalBlocker blocker(compactRows_);
        compactRows_->setChecked(store_.presentation().compactRows);
    });
    column.addWidget(SheetLayout::caption(
        QStringLiteral("One line per shot with a small thumbnail, for long films. View menu: Ctrl+Shift+D."), this));
}

void SettingsView::buildDetection(QBoxLayout& column) {
    SheetLayout::section(column, QStringLiteral("Shot detection · TransNetV2 or built-in colour-difference scorer"), this);
    threshold_ = new StepSlider(0.1, 0.9, 0.05, twoDecimals, this);
    column.addLayout(SheetLayout::row(QStringLiteral("Cut threshold"), threshold_, this));
    connect(threshold_, &StepSlider::moved, this, [this](double value) {
        store_.changeSettings([&](Project& project) { project.threshold = value; });
    });
    column.addWidget(SheetLayout::caption(
        QStringLiteral("Lower values propose more cuts. Applies to new imports. Review uncertain cuts with the local "
                       "assistant or adjust boundaries manually. Model weights are not retrained from a few edits."),
        this));
    grouping_ = new StepSlider(0.1, 0.8, 0.05, twoDecimals, this);
    column.addLayout(SheetLayout::row(QStringLiteral("Visual grouping distance"), grouping_, this));
    connect(grouping_, &StepSlider::moved, this, [this](double value) {
        store_.changeSettings([&](Project& project) { project.groupingThreshold = static_cast<float>(value); });
    });
    rebuild_ = new QPushButton(QStringLiteral("Rebuild visual groups"), this);
    column.addWidget(rebuild_, 0, Qt::AlignLeft);
    connect(rebuild_, &QPushButton::clicked, this, &SettingsView::rebuildGroups);
    column.addWidget(SheetLayout::caption(
        QStringLiteral("Lower distances make stricter visual groups. Similarity never copies a disclosure decision "
                       "automatically."),
        this));
}

void SettingsView::buildLabels(QBoxLayout& column) {
    SheetLayout::section(column, QStringLiteral("Visible video labels"), this);
    style_ = new QComboBox(this);
    for (const auto& [style, title] : kStyles) style_->addItem(QString::fromUtf8(title));
    column.addLayout(SheetLayout::row(QStringLiteral("Official artwork"), style_, this));
    connect(style_, &QComboBox::activated, this, [this](int index) {
        store_.changeSettings([&](Project& project) { project.labelStyle = kStyles[index].first; });
    });
    corner_ = new QComboBox(this);
    for (const char* corner : kCorners) corner_->addItem(QString::fromLatin1(corner));
    column.addLayout(SheetLayout::row(QStringLiteral("Placement"), corner_, this));
    connect(corner_, &QComboBox::activated, this, [this](int index) {
        store_.changeSettings([&](Project& project) { project.corner = kCorners[index]; });
    });
    width_ = new StepSlider(0.08, 0.4, 0.01, &SettingsView::percentText, this);
    column.addLayout(SheetLayout::row(QStringLiteral("Width"), width_, this));
    connect(width_, &StepSlider::moved, this, [this](double value) {
        store_.changeSettings([&](Project& project) { project.labelWidth = value; });
    });
    column.addWidget(SheetLayout::caption(
        QStringLiteral("Original EU artwork with real transparent edges, no added rectangle or outline. Width is the "
                       "visible icon width. Solid variants offer the strongest contrast; check 50% variants against "
                       "the delivery image."),
        this));
}

void SettingsView::buildModel(QBoxLayout& column) {
    SheetLayout::section(column, QStringLiteral("Local language & vision model"), this);
    auto* statusLine = new QHBoxLayout;
    status_ = SheetLayout::caption({}, this);
    statusLine->addWidget(status_, 1);
    auto* check = new QPushButton(QStringLiteral("Check model"), this);
    statusLine->addWidget(check);
    column.addLayout(statusLine);
    connect(check, &QPushButton::clicked, this, &SettingsView::loadModels);
    model_ = new QComboBox(this);
    column.addLayout(SheetLayout::row(QStringLiteral("Local model"), model_, this));
    connect(model_, &QComboBox::activated, this, [this](int index) {
        AssistantState assistant = store_.assistant().state();
        assistant.modelName = index == 0 ? std::string() : model_->itemText(index).toStdString();
        store_.assistant().setState(std::move(assistant));
    });
    const QString root = QString::fromStdString(store_.resourceRoot().string());
    column.addWidget(SheetLayout::caption(
        QStringLiteral("Qwen3-VL-2B runs on this computer through llama.cpp's llama-server. Both are installed "
                       "separately: llama-server as %1/Helpers/llama-server and the two model files in "
                       "%1/LocalVision/ (README, \"Local assistant\"). Marrowick checks the model files before first "
                       "use, loads the model only when requested and unloads it after idle use. Shot detection and "
                       "grouping run independently.")
            .arg(root),
        this));
    column.addWidget(SheetLayout::caption(QStringLiteral("About 1.55 GB of model data · Apache 2.0 · advisory checks only"), this));
}

void SettingsView::refreshProject() {
    const Project& project = store_.project();
    setEnabled(!store_.busy());
    SheetLayout::showText(*name_, QString::fromStdString(project.name));
    SheetLayout::showText(*workDisclosure_, QString::fromStdString(project.workDisclosure));
    artistic_->setChecked(project.artisticWork);
    threshold_->display(project.threshold);
    grouping_->display(project.groupingThreshold);
    width_->display(project.labelWidth);
    rebuild_->setEnabled(!project.shots.empty());
    const LabelStyle style = project.labelStyle.value_or(LabelStyle::white);
    for (std::size_t i = 0; i < std::size(kStyles); ++i)
        if (kStyles[i].first == style) style_->setCurrentIndex(static_cast<int>(i));
    corner_->setCurrentIndex(corner_->findText(QString::fromStdString(project.corner)));
}

std::vector<std::string> SettingsView::modelNames() const {
    const AssistantState& assistant = store_.assistant().state();
    std::vector<std::string> names;
    for (const LocalModel& model : assistant.models) names.push_back(model.name);
    // A chosen model the list no longer names stays visible, so the picker never hides the choice.
    if (!assistant.modelName.empty() && std::find(names.begin(), names.end(), assistant.modelName) == names.end())
        names.push_back(assistant.modelName);
    return names;
}

void SettingsView::loadModels() {
    store_.assistant().loadModels();
    refreshAssistant();
}

void SettingsView::refreshAssistant() {
    const AssistantState& assistant = store_.assistant().state();
    status_->setText(QString::fromStdString(assistant.localStatus));
    const QSignalBlocker blocker(model_);
    model_->clear();
    model_->addItem(QStringLiteral("Choose a local vision model"));
    for (const std::string& name : modelNames()) model_->addItem(QString::fromStdString(name));
    model_->setCurrentIndex(std::max(0, model_->findText(QString::fromStdString(assistant.modelName))));
}

void SettingsView::done(int result) {
    // Done, Escape and the close button all end here: edits already sit in the project, so
    // whichever way the sheet closes they are recorded and autosaved.
    if (!(store_.project() == opened_)) store_.changed();
    QDialog::done(result);
}

void SettingsView::rebuildGroups() {
    accept();
    store_.refreshImages();
}

}  // namespace marrowick
