// The label layout editor and the output preview in the window: scope and notes, the guide
// picker and margins, the ghost label, dragging and nudging, and that the preview's label lands
// on the pixels the exports burn in.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <functional>

#include <gtest/gtest.h>

#include "delivery/encode_plan.h"
#include "delivery/mastering_graph.h"
#include "disclosure/label_geometry.h"
#include "disclosure/label_overlay_set.h"
#include "main_window_fixture.h"
#include "ui/inspector.h"
#include "ui/label_layout_controls.h"
#include "ui/layout_guide_controls.h"
#include "ui/output_preview.h"
#include "ui/step_slider.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

DeliveryPreset preset(const std::string& key, std::optional<std::int64_t> longestEdge = std::nullopt) {
    DeliveryPreset result;
    result.key = key;
    result.name = "Preset " + key;
    result.requirements.resolution = {longestEdge ? RasterMode::maxLongestEdge : RasterMode::source, std::nullopt, std::nullopt, longestEdge};
    return result;
}

struct LayoutFixture : testing::WindowFixture {
    explicit LayoutFixture(std::int64_t width = 1920, std::int64_t height = 1080) {
        window.resize(1600, 1000);
        Project project = testing::makeProject(1, 3);
        project.films[0].width = width;
        project.films[0].height = height;
        project.shots.mut(1).disclosure = Disclosure::generated;
        project.shots.mut(2).disclosure = Disclosure::none;
        load(project);
        store.deliverySetup().setPresets({preset("tv"), preset("small", 1280)});
    }

    LabelLayoutControls& controls() const { return *window.findChild<LabelLayoutControls*>(); }
    OutputOverlay& overlay() const { return window.findChild<OutputPreview*>()->overlay(); }

    void present(const std::string& presetKey, bool editor) {
        PresentationState presentation = store.presentation();
        presentation.previewPresetKey = presetKey;
        presentation.editLabelLayout = editor;
        presentation.showSafeZones = editor;
        store.setPresentation(presentation);
        QApplication::processEvents();
    }
    void showShot(std::size_t index) {
        store.focus(store.project().shots[index].id, false);
        player->time = store.project().shots[index].start + 0.5;
        player->tick();
        QApplication::processEvents();
    }
    bool showsText(const QString& text) const {
        return testing::showsLabel(controls(), text, testing::Presence::shown);
    }
    template <class Widget>
    Widget& named(const QString& name) const {
        return testing::findWidget<Widget>(controls(), name);
    }
    // The painted label's centre in overlay coordinates.
    QPoint labelCentre() const { return overlay().labelArea()->center().toPoint(); }
    std::size_t layoutCount() const { return store.project().labelLayouts ? store.project().labelLayouts->size() : 0; }
};

TEST(LabelLayoutEditor, WithoutAPresetItEditsTheSourceRasterForAllOutputsOfItsRatio) {
    LayoutFixture fixture;
    fixture.showShot(0);
    EXPECT_FALSE(fixture.controls().isVisibleTo(&fixture.window)) << "shown only while the editor is on";
    fixture.present("", true);
    ASSERT_TRUE(fixture.controls().isVisibleTo(&fixture.window));
    EXPECT_TRUE(fixture.showsText(QStringLiteral("Source / native MOV \u00b7 16:9")));
    EXPECT_TRUE(fixture.showsText(QStringLiteral("Saves for all 16:9 outputs without a preset override.")));
    EXPECT_FALSE(fixture.named<QComboBox>(QStringLiteral("Save for")).isVisibleTo(&fixture.window));
    EXPECT_FALSE(fixture.named<QPushButton>(QStringLiteral("Reset this layout")).isEnabled());

    fixture.named<StepSlider>(QStringLiteral("Horizontal")).slider().triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(fixture.layoutCount(), 1u);
    EXPECT_TRUE(fixture.store.project().labelLayouts->contains("aspect:16:9"));
    EXPECT_TRUE(fixture.named<QPushButton>(QStringLiteral("Reset this layout")).isEnabled());
}

TEST(LabelLayoutEditor, TheAspectScopeNotesAPresetOverrideUntilItIsReset) {
    LayoutFixture fixture;
    fixture.showShot(0);
    fixture.present("tv", true);
    const QString note = QStringLiteral("This preset has its own override. Reset that override to use the aspect-ratio layout.");
    fixture.named<StepSlider>(QStringLiteral("Width")).slider().triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_TRUE(fixture.store.project().labelLayouts->contains("preset:tv|16:9"));
    EXPECT_FALSE(fixture.showsText(note));

    QComboBox& scope = fixture.named<QComboBox>(QStringLiteral("Save for"));
    EXPECT_EQ(scope.itemText(1), QStringLiteral("16:9 outputs"));
    scope.activated(1);
    EXPECT_EQ(fixture.controls().editedKey(), "aspect:16:9");
    EXPECT_TRUE(fixture.showsText(note));
    fixture.store.resetLayout("preset:tv|16:9");
    EXPECT_FALSE(fixture.showsText(note));
}

TEST(LabelLayoutEditor, GuidePickerListsProfilesOfTheOutputRatioAndMarginsBoundEachOther) {
    LayoutFixture fixture(1080, 1920);
    fixture.showShot(0);
    fixture.present("", true);
    QComboBox& guide = fixture.named<QComboBox>(QStringLiteral("Guide"));
    EXPECT_EQ(guide.itemText(0), QStringLiteral("Automatic for delivery"));
    EXPECT_EQ(guide.itemText(guide.count() - 1), QStringLiteral("Custom margins"));
    for (int i = 1; i + 1 < guide.count(); ++i) {
        const std::string id = guide.itemData(i).toString().toStdString();
        const auto& profiles = fixture.store.layouts().safeZoneProfiles();
        const auto profile = std::find_if(profiles.begin(), profiles.end(), [&](const auto& p) { return p.id == id; });
        ASSERT_NE(profile, profiles.end());
        EXPECT_TRUE(profile->aspectRatio == "9:16" || profile->aspectRatio == "any") << id;
    }

    guide.activated(guide.count() - 1);
    EXPECT_TRUE(fixture.showsText(QStringLiteral("Custom editorial margins.")));
    fixture.store.changeLayout("aspect:9:16", LayoutChange::Margin{LayoutChange::Side::left, 0.5});
    EXPECT_NEAR(fixture.named<StepSlider>(QStringLiteral("Right")).maximum(), 0.44, 1e-9);
    EXPECT_NEAR(fixture.named<StepSlider>(QStringLiteral("Left")).maximum(), 0.84, 1e-9);
    EXPECT_DOUBLE_EQ(LayoutGuideControls::marginMaximum(0.0), 0.9);
    EXPECT_DOUBLE_EQ(LayoutGuideControls::marginMaximum(0.94), 0.01);

    // A guide stored for another ratio is listed under its ratio and shown, not left blank.
    fixture.store.changeLayout("aspect:9:16", LayoutChange::Guide{"ebu_r95_action_safe_16x9"});
    ASSERT_GE(guide.currentIndex(), 0);
    EXPECT_EQ(guide.currentText(), QStringLiteral("EBU R 95 action safe (16:9 guide)"));
    EXPECT_EQ(guide.itemText(guide.count() - 1), QStringLiteral("Custom margins"));
}

TEST(LabelLayoutEditor, TheEditorShowsAGhostOnUnlabelledShotsAndClosingItHidesIt) {
    LayoutFixture fixture;
    fixture.present("", false);
    fixture.showShot(2);  // decided "none"
    EXPECT_FALSE(fixture.overlay().label());
    fixture.present("", true);
    ASSERT_TRUE(fixture.overlay().label());
    EXPECT_DOUBLE_EQ(fixture.overlay().label()->opacity, 0.45);
    fixture.present("", false);
    EXPECT_FALSE(fixture.overlay().label());

    fixture.showShot(1);  // generated, under the playhead
    ASSERT_TRUE(fixture.overlay().label());
    EXPECT_EQ(fixture.overlay().label()->artwork, Disclosure::generated);
    EXPECT_DOUBLE_EQ(fixture.overlay().label()->opacity, 1.0);
}

TEST(LabelLayoutEditor, MovesInTheAspectScopeAreMeasuredWithTheAspectLayoutsOwnLabel) {
    // Each move returns the output pixel column it put the label's left edge at.
    const std::pair<const char*, std::function<double(LayoutFixture&, const LabelRect&)>> moves[] = {
        {"nudge", [](LayoutFixture& f, const LabelRect& before) {
             f.overlay().setFocus();
             QTest::keyClick(&f.overlay(), Qt::Key_Left);
             return before.x - 1.0;
         }},
        {"drag", [](LayoutFixture& f, const LabelRect& before) {
             const double scale = f.overlay().labelArea()->width() / static_cast<double>(before.width);
             const QPoint from = f.labelCentre();
             QTest::mousePress(&f.overlay(), Qt::LeftButton, Qt::NoModifier, from);
             QTest::mouseMove(&f.overlay(), from - QPoint(40, 20));
             QTest::mouseRelease(&f.overlay(), Qt::LeftButton, Qt::NoModifier, from - QPoint(40, 20));
             return before.x - 40 / scale;
         }},
    };
    for (const auto& [move, run] : moves) {
        LayoutFixture fixture;
        fixture.showShot(1);
        fixture.present("tv", true);
        // The aspect ratio's layout at the default width, the preset's own at twice that.
        fixture.store.changeLayout("aspect:16:9", LayoutChange::Whole{LabelLayout{0.18, 1, 1, "auto", {}}});
        fixture.store.changeLayout("preset:tv|16:9", LayoutChange::Whole{LabelLayout{0.36, 0.5, 0.5, "auto", {}}});
        fixture.named<QComboBox>(QStringLiteral("Save for")).activated(1);
        ASSERT_EQ(fixture.controls().editedKey(), "aspect:16:9");
        const LabelRect drawn = fixture.overlay().label()->rect;  // the preset's label
        const double target = run(fixture, drawn);
        const double aspect = *fixture.store.layouts().artworkAspect(Disclosure::generated);
        fixture.store.resetLayout("preset:tv|16:9");
        const LabelRect stored = LabelGeometry::rect(fixture.store.project(), std::nullopt, 1920, 1080, aspect);
        ASSERT_NE(stored.width, drawn.width) << move;
        EXPECT_NEAR(static_cast<double>(stored.x), target, 1.5) << move << ": the aspect layout's label lands where it was put";
    }
}

TEST(LabelLayoutEditor, ADragIsOneUndoStepAndArrowKeysNudgeByOneOutputPixel) {
    LayoutFixture fixture;
    fixture.showShot(1);
    fixture.present("", true);
    OutputOverlay& overlay = fixture.overlay();
    const LabelRect before = overlay.label()->rect;
    const QPoint from = fixture.labelCentre();
    QTest::mousePress(&overlay, Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 5; ++step) QTest::mouseMove(&overlay, from - QPoint(20 * step, 10 * step));
    EXPECT_FALSE(fixture.store.canUndo()) << "nothing is stored while dragging";
    QTest::mouseRelease(&overlay, Qt::LeftButton, Qt::NoModifier, from - QPoint(100, 50));
    const LabelRect dropped = overlay.label()->rect;
    EXPECT_LT(dropped.x, before.x);
    EXPECT_LT(dropped.y, before.y);
    EXPECT_EQ(dropped.width, before.width);
    fixture.store.undoEdit();
    EXPECT_EQ(overlay.label()->rect, before);
    EXPECT_FALSE(fixture.store.canUndo()) << "the whole drag was one edit";

    overlay.setFocus();
    QTest::keyClick(&overlay, Qt::Key_Left);
    QTest::keyClick(&overlay, Qt::Key_Up);
    EXPECT_EQ(overlay.label()->rect, (LabelRect{before.x - 1, before.y - 1, before.width, before.height}));

    fixture.present("", false);
    const Project unchanged = fixture.store.project();
    QTest::keyClick(&overlay, Qt::Key_Left);
    EXPECT_EQ(fixture.store.project().labelLayouts, unchanged.labelLayouts) << "arrows step frames again";
}

TEST(LabelLayoutEditor, PreviewLabelScaledBackIsTheRectangleTheExportsBurnIn) {
    LayoutFixture fixture;
    fixture.showShot(1);
    fixture.present("small", true);
    fixture.store.fitInGuide("preset:small|16:9", "Top right");
    ASSERT_FALSE(fixture.store.error()) << *fixture.store.error();
    const auto scaledBack = [&] {
        const QRectF area = *fixture.overlay().labelArea();
        const double scale = fixture.overlay().scale();
        return LabelRect{std::llround(area.x() / scale), std::llround(area.y() / scale),
                         std::llround(area.width() / scale), std::llround(area.height() / scale)};
    };
    const Project& project = fixture.store.project();
    const Film& film = project.films[0];
    EncodePlan plan;
    plan.preset = preset("small", 1280);
    const RasterSize size = EncodePlan::outputSize(plan.preset, film);
    plan.width = size.width;
    plan.height = size.height;
    ASSERT_EQ(size, (RasterSize{1280, 720}));
    EXPECT_EQ(scaledBack(), MasteringExporter::labelRect(plan, project, Disclosure::generated, MARROWICK_RESOURCE_DIR));

    fixture.present("", true);
    fixture.store.changeLayout("aspect:16:9", LayoutChange::X{0.25});
    const LabelOverlaySet copy(project, film, {project.shots[1]}, MARROWICK_RESOURCE_DIR);
    EXPECT_EQ(scaledBack(), copy.generated().rect);
}

}  // namespace
}  // namespace marrowick
