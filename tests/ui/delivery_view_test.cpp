// The delivery window's list, selection and export rule, and the preset editor it opens.
#include "ui/delivery_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include "delivery/preset_operations.h"
#include "main_window_fixture.h"
#include "ui/preset_editor.h"
#include "ui/preset_list_filter.h"
#include "ui/preset_row.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

using testing::StoreFixture;

std::vector<std::string> keys(const std::vector<const DeliveryPreset*>& listed) {
    std::vector<std::string> result;
    for (const DeliveryPreset* preset : listed) result.push_back(preset->key);
    return result;
}

DeliveryPreset customPreset(const std::string& name) {
    DeliveryPreset preset = PresetOperations::newMasteringPreset();
    preset.name = name;
    preset.group = "custom";
    return preset;
}

PresetEditor::SaveAction savingThrough(ReviewStore& store) {
    return [&store](const DeliveryPreset& edited) { return store.deliverySetup().savePreset(edited); };
}

template <class Widget>
Widget& field(QWidget& parent, const char* name) {
    return testing::findWidget<Widget>(parent, QString::fromUtf8(name));
}

void choose(QComboBox& box, const char* value) {
    const int index = box.findData(QString::fromUtf8(value));
    ASSERT_GE(index, 0) << value;
    box.setCurrentIndex(index);
    emit box.activated(index);
}

void type(QLineEdit& edit, const char* text) {
    edit.setText(QString::fromUtf8(text));
    emit edit.textEdited(edit.text());
}

TEST(PresetListFilter, HiddenNeverArchivedOnRequestAndSearchOverNameGroupAndSummary) {
    std::vector<DeliveryPreset> presets = {customPreset("Archive master"), customPreset("Broadcast MXF"),
                                           customPreset("Secret mp4 house"), customPreset("Web")};
    presets[0].archivedAt = "2026-01-01T00:00:00Z";
    presets[1].group = "broadcast";
    presets[2].hidden = true;
    presets[3].encoding.container = "mp4";
    for (std::size_t i = 0; i < presets.size(); ++i) presets[i].key = "k" + std::to_string(i);

    EXPECT_EQ(keys(PresetListFilter::listed(presets, {}, false)), (std::vector<std::string>{"k1", "k3"}));
    EXPECT_EQ(keys(PresetListFilter::listed(presets, {}, true)), (std::vector<std::string>{"k0", "k1", "k3"}));
    EXPECT_EQ(keys(PresetListFilter::listed(presets, QStringLiteral("mp4"), true)), (std::vector<std::string>{"k3"}));
    EXPECT_EQ(keys(PresetListFilter::listed(presets, QStringLiteral("CUSTOM"), true)),
              (std::vector<std::string>{"k0", "k3"}));
    EXPECT_EQ(keys(PresetListFilter::listed(presets, QStringLiteral("ARCHIVE"), false)), std::vector<std::string>{});
}

TEST(DeliveryView, CatalogueSearchFindsEveryMp4PresetAndNoHiddenOne) {
    StoreFixture fixture;
    DeliveryView view(fixture.store, fixture.store, nullptr);
    view.search().setText(QStringLiteral("mp4"));
    std::size_t mp4 = 0;
    for (const DeliveryPreset& preset : fixture.store.deliverySetup().presets())
        mp4 += !preset.hidden && preset.encoding.container == "mp4" && !preset.archivedAt;
    ASSERT_GT(mp4, 0u);
    EXPECT_EQ(view.rows().size(), mp4);
    for (PresetRow* row : view.rows()) EXPECT_EQ(row->preset().encoding.container, "mp4");
}

TEST(DeliveryView, CheckboxesEditTheSelectionAndArchivedRowsAreMarked) {
    StoreFixture fixture;
    fixture.store.deliverySetup().savePreset(customPreset("House master"));
    DeliveryView view(fixture.store, fixture.store, nullptr);
    PresetRow* house = view.rows().back();
    ASSERT_EQ(house->preset().name, "House master");
    EXPECT_EQ(house->checkbox().accessibleName(), QStringLiteral("Select House master"));
    house->checkbox().click();
    EXPECT_TRUE(fixture.store.deliverySetup().delivery().deliveryKeys.contains(house->preset().key));

    const std::string key = house->preset().key;
    fixture.store.deliverySetup().archivePreset(house->preset());
    EXPECT_FALSE(fixture.store.deliverySetup().delivery().deliveryKeys.contains(key));
    EXPECT_NE(view.rows().back()->preset().key, key);
    view.showArchived().setChecked(true);
    PresetRow& archived = *view.rows().back();
    EXPECT_EQ(archived.preset().key, key);
    EXPECT_FALSE(archived.checkbox().isChecked());
    QStringList actions;
    for (QAction* action : archived.menu().actions()) actions << action->text();
    // A menu shows "&&" as one ampersand; a single "&" would underline the next letter instead.
    EXPECT_EQ(actions, (QStringList{"Preview label position && safe zones", "Duplicate && edit…", "Edit…", "Restore",
                                    "Specification"}));
}

TEST(DeliveryView, ExportNeedsASelectionShotsAndFFmpeg) {
    StoreFixture fixture;
    DeliveryView view(fixture.store, fixture.store, nullptr);
    EXPECT_FALSE(view.exportButton().isEnabled());  // no shots
    fixture.load(testing::groupedProject({"/films/a.mov"}, 2));
    const bool tools = fixture.store.deliverySetup().ffmpegTools().has_value();
    EXPECT_EQ(view.exportButton().isEnabled(), tools);
    fixture.store.deliverySetup().setDelivery({.deliveryKeys = {}});
    EXPECT_FALSE(view.exportButton().isEnabled());
}

TEST(PresetEditor, SwitchingToVp9AndSavingGoesThroughTheLibrary) {
    StoreFixture fixture;
    DeliveryView view(fixture.store, fixture.store, nullptr);
    view.edit(PresetOperations::newMasteringPreset());
    PresetEditor& editor = *view.editor();
    choose(field<QComboBox>(editor, "Video codec"), "vp9");
    EXPECT_EQ(field<QComboBox>(editor, "Container").currentData().toString(), QStringLiteral("webm"));
    EXPECT_EQ(field<QLineEdit>(editor, "Profile").text(), QStringLiteral("2"));
    EXPECT_EQ(field<QLineEdit>(editor, "CRF").text(), QStringLiteral("30.0"));
    EXPECT_EQ(field<QLineEdit>(editor, "Audio kb/s").text(), QStringLiteral("192"));
    type(field<QLineEdit>(editor, "Name"), "Web VP9");
    editor.save();
    EXPECT_EQ(editor.errorText(), QString());
    EXPECT_EQ(fixture.store.deliverySetup().presets().back().name, "Web VP9");
    EXPECT_EQ(fixture.store.deliverySetup().presets().back().encoding.encoderPreset, "good");
    EXPECT_EQ(fixture.store.deliverySetup().presets().back().normalizedName, "web vp9");
}

TEST(PresetEditor, NumberFieldsShowDefaultsAndZeroEitherUnsetsOrStores) {
    StoreFixture fixture;
    PresetEditor editor(customPreset("Rates"), savingThrough(fixture.store), nullptr);
    choose(field<QComboBox>(editor, "Video codec"), "h264");
    choose(field<QComboBox>(editor, "Rate control"), "vbr");
    EXPECT_EQ(field<QLineEdit>(editor, "Video kb/s").text(), QStringLiteral("12000"));
    EXPECT_EQ(editor.preset().encoding.rateControl.bitrateKbps, std::nullopt);
    type(field<QLineEdit>(editor, "Maximum video kb/s · 0 unset"), "9000");
    EXPECT_EQ(editor.preset().encoding.rateControl.maxrateKbps, 9000);
    type(field<QLineEdit>(editor, "Maximum video kb/s · 0 unset"), "0");
    EXPECT_EQ(editor.preset().encoding.rateControl.maxrateKbps, std::nullopt);
    type(field<QLineEdit>(editor, "Audio channels · 0 keeps source layout"), "0");
    EXPECT_EQ(editor.preset().encoding.audio.channels, std::nullopt);

    choose(field<QComboBox>(editor, "Raster"), "exact");
    type(field<QLineEdit>(editor, "Width"), "0");
    EXPECT_EQ(editor.preset().requirements.resolution.width, 0);
    EXPECT_EQ(editor.preset().requirements.resolution.height, 1080);
    editor.save();
    EXPECT_TRUE(editor.errorText().startsWith(QStringLiteral("Rates: "))) << editor.errorText().toStdString();

    QLineEdit& fps = field<QLineEdit>(editor, "Frames per second");
    EXPECT_TRUE(fps.parentWidget()->isHidden());
    editor.findChild<QCheckBox*>()->click();
    EXPECT_FALSE(fps.parentWidget()->isHidden());
    EXPECT_EQ(fps.text(), QStringLiteral("25.0"));
}

TEST(PresetEditor, NameTakenInOtherLetterCaseStaysInTheEditor) {
    StoreFixture fixture;
    fixture.store.deliverySetup().savePreset(customPreset("House master"));
    DeliveryView view(fixture.store, fixture.store, nullptr);
    view.edit(customPreset("HOUSE MASTER"));
    PresetEditor& editor = *view.editor();
    editor.save();
    EXPECT_EQ(editor.errorText(), QStringLiteral("A preset with that name already exists."));
    EXPECT_EQ(view.editor(), &editor);
    EXPECT_EQ(fixture.store.error(), std::nullopt);
}

TEST(PresetEditor, LockedXdcamRecipeAllowsOnlyPresentationDetails) {
    StoreFixture fixture;
    const auto xdcam = std::find_if(fixture.store.deliverySetup().presets().begin(), fixture.store.deliverySetup().presets().end(),
                                    [](const DeliveryPreset& p) { return p.key == "xdcam_hd422_pal_tvc"; });
    ASSERT_NE(xdcam, fixture.store.deliverySetup().presets().end());
    PresetEditor editor(PresetOperations::duplicatePreset(*xdcam), savingThrough(fixture.store), nullptr);
    EXPECT_FALSE(editor.technical().isEnabled());
    EXPECT_FALSE(field<QComboBox>(editor, "Video codec").isEnabled());
    EXPECT_TRUE(field<QLineEdit>(editor, "Name").isEnabled());
    EXPECT_TRUE(field<QLineEdit>(editor, "Filename suffix").isEnabled());
    type(field<QLineEdit>(editor, "Notes"), "");
    EXPECT_EQ(editor.preset().applicabilityNotes, std::string());
    editor.save();
    EXPECT_EQ(editor.errorText(), QString());
}

}  // namespace
}  // namespace marrowick
