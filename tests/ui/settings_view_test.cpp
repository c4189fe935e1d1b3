// The settings sheet's bindings, value formats and busy state, and the guide's links.
#include "ui/settings_view.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/guide_view.h"
#include "ui/step_slider.h"
#include "workspace/preferences.h"
#include "workspace/recovery_file.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

using testing::StoreFixture;

StepSlider& slider(SettingsView& view, int index) { return *view.findChildren<StepSlider*>().at(index); }

QPushButton& pushButton(QWidget& view, const QString& text) { return testing::findWidget<QPushButton>(view, text); }

TEST(SettingsView, WidthShowsWholePercentTruncated) {
    EXPECT_EQ(SettingsView::percentText(0.18), QStringLiteral("18%"));
    EXPECT_EQ(SettingsView::percentText(0.185), QStringLiteral("18%"));
    EXPECT_EQ(SettingsView::percentText(0.29), QStringLiteral("29%"));
    EXPECT_EQ(SettingsView::percentText(0.4), QStringLiteral("40%"));
}

TEST(SettingsView, SlidersWriteTheProjectInPlaceWithoutTouchingShots) {
    StoreFixture fixture;
    fixture.load(testing::groupedProject({"/films/a.mov"}, 3));
    const auto shots = fixture.store.project().shots;
    SettingsView view(fixture.store, nullptr);
    EXPECT_EQ(slider(view, 2).valueText(), QStringLiteral("18%"));
    EXPECT_EQ(slider(view, 0).valueText(), QStringLiteral("0.50"));

    slider(view, 0).slider().setValue(0);
    slider(view, 2).slider().setValue(21);
    EXPECT_DOUBLE_EQ(fixture.store.project().threshold, 0.1);
    EXPECT_EQ(slider(view, 2).valueText(), QStringLiteral("29%"));
    EXPECT_NEAR(fixture.store.project().labelWidth, 0.29, 1e-12);
    ASSERT_EQ(fixture.store.project().shots.size(), shots.size());
    for (std::size_t i = 0; i < shots.size(); ++i) EXPECT_EQ(fixture.store.project().shots[i], shots[i]);
    EXPECT_FALSE(fixture.store.canUndo());
    EXPECT_FALSE(fixture.store.dirty());

    pushButton(view, QStringLiteral("Done")).click();
    EXPECT_TRUE(fixture.store.dirty());
}

TEST(SettingsView, EveryWayOfClosingRecordsTypedEditsAndOnlyThem) {
    const std::pair<const char*, std::function<void(SettingsView&)>> closers[] = {
        {"Done", [](SettingsView& view) { pushButton(view, QStringLiteral("Done")).click(); }},
        {"Escape", [](SettingsView& view) { QTest::keyClick(&view, Qt::Key_Escape); }},
        {"close button", [](SettingsView& view) { view.close(); }},
    };
    for (const auto& [way, close] : closers) {
        for (const bool typed : {true, false}) {
            StoreFixture fixture;
            fixture.load(testing::groupedProject({"/films/a.mov"}, 3));
            SettingsView view(fixture.store, nullptr);
            view.open();
            if (typed) QTest::keyClicks(view.findChildren<QLineEdit*>().at(0), QStringLiteral(" v2"));
            close(view);
            EXPECT_FALSE(view.isVisible()) << way;
            EXPECT_EQ(fixture.store.dirty(), typed) << way;
            if (!typed) continue;
            EXPECT_EQ(fixture.store.project().name, "Night shoot v2") << way;
            EXPECT_TRUE(testing::waitUntil([] {
                const std::optional<Project> recovered = RecoveryFile::recover();
                return recovered && recovered->name == "Night shoot v2";
            })) << way;
        }
    }
}

TEST(SettingsView, TheModelTextsSayItIsInstalledSeparatelyAndWhere) {
    StoreFixture fixture;
    SettingsView view(fixture.store, nullptr);
    QString shown;
    for (QLabel* label : view.findChildren<QLabel*>()) shown += label->text() + QLatin1Char('\n');
    const QString root = QString::fromStdString(fixture.store.resourceRoot().string());
    for (const QString& wanted : {root + QStringLiteral("/Helpers/llama-server"), root + QStringLiteral("/LocalVision/"),
                                  QStringLiteral("installed separately"), QStringLiteral("About 1.55 GB of model data")})
        EXPECT_TRUE(shown.contains(wanted)) << wanted.toStdString();
    // No model ships with the program: nothing may claim it is included or that reinstalling helps.
    for (const QString& untrue : {QStringLiteral("Qwen3-VL-2B is included"), QStringLiteral("Included "), QStringLiteral("\u00b7 included"),
                                  QStringLiteral("Reinstall"), QStringLiteral("No separate model installation")})
        EXPECT_FALSE(shown.contains(untrue)) << untrue.toStdString() << " in:\n" << shown.toStdString();
}

TEST(SettingsView, PickersAndFieldsBindTheirProjectFields) {
    StoreFixture fixture;
    SettingsView view(fixture.store, nullptr);
    auto pickers = view.findChildren<QComboBox*>();
    ASSERT_EQ(pickers.size(), 4);
    EXPECT_EQ(pickers[0]->currentText(), QStringLiteral("Timecode"));
    emit pickers[0]->activated(1);
    EXPECT_EQ(fixture.store.presentation().timeDisplay, TimeDisplay::frames);
    EXPECT_EQ(Preferences::timeDisplay(), TimeDisplay::frames) << "a preference, not part of the project";
    emit pickers[0]->activated(0);
    pickers.removeFirst();
    EXPECT_EQ(pickers[0]->currentText(), QStringLiteral("White · solid"));  // absent style reads as white
    emit pickers[0]->activated(3);
    EXPECT_EQ(fixture.store.project().labelStyle, LabelStyle::black50);
    emit pickers[1]->activated(2);
    EXPECT_EQ(fixture.store.project().corner, "Top right");
    EXPECT_FALSE(pushButton(view, QStringLiteral("Rebuild visual groups")).isEnabled());  // no shots

    AssistantState assistant = fixture.store.assistant().state();
    assistant.modelName = "Qwen3-VL-2B";
    fixture.store.assistant().setState(assistant);
    EXPECT_EQ(pickers[2]->currentText(), QStringLiteral("Qwen3-VL-2B"));
    emit pickers[2]->activated(0);
    EXPECT_EQ(fixture.store.assistant().state().modelName, "");
    EXPECT_EQ(pickers[2]->currentText(), QStringLiteral("Choose a local vision model"));

    QLineEdit& name = *view.findChildren<QLineEdit*>().at(0);
    name.setText(QStringLiteral("Harbour cut"));
    emit name.textEdited(name.text());
    EXPECT_EQ(fixture.store.project().name, "Harbour cut");
}

TEST(SettingsView, SaysOutputsCarryMachineReadableDisclosure) {
    StoreFixture fixture;
    SettingsView view(fixture.store, nullptr);
    const auto labels = view.findChildren<QLabel*>();
    EXPECT_EQ(std::count_if(labels.begin(), labels.end(),
                            [](const QLabel* label) {
                                return label->text() ==
                                       "Outputs carry machine-readable disclosure (XMP, IPTC digital source type)";
                            }),
              1);
}

TEST(SettingsView, FitsALaptopScreenByScrollingAndCutsNoCaptionShort) {
    StoreFixture fixture;
    SettingsView view(fixture.store, nullptr);
    EXPECT_LE(view.minimumSizeHint().height(), 700) << "the sections scroll under the title and Done";
    view.show();
    QApplication::processEvents();
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&view) || !label->wordWrap()) continue;
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << label->text().toStdString();
    }
}

TEST(SettingsView, WholeSheetIsDisabledWhileAnImportRuns) {
    StoreFixture fixture;
    SettingsView view(fixture.store, nullptr);
    EXPECT_TRUE(view.isEnabled());
    fixture.beginActivity();
    EXPECT_FALSE(view.isEnabled());
    EXPECT_FALSE(pushButton(view, QStringLiteral("Done")).isEnabled());
    fixture.endActivity();
    EXPECT_TRUE(view.isEnabled());
}

TEST(GuideView, OffersThreeOfficialLinks) {
    GuideView guide(nullptr);
    QStringList urls;
    for (QPushButton* candidate : guide.findChildren<QPushButton*>())
        if (candidate->property("url").isValid()) urls << candidate->property("url").toString();
    ASSERT_EQ(urls.size(), 3);
    for (const QString& url : urls) EXPECT_TRUE(url.startsWith(QStringLiteral("https://"))) << url.toStdString();
    EXPECT_TRUE(urls[1].contains(QStringLiteral("2024/1689")));
}

}  // namespace
}  // namespace marrowick
