// The shot list model against QAbstractItemModelTester while the review changes, and its roles.
#include "workspace/models/shot_list_model.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace marrowick {
namespace {

using testing::StoreFixture;

QVariant roleOf(const ShotListModel& model, int row, int role) { return model.data(model.index(row), role); }

TEST(ShotListModel, StaysConsistentThroughFilterSearchDecisionsAndReplacement) {
    StoreFixture fixture;
    ShotListModel model(fixture.store);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    fixture.load(testing::groupedProject({"/films/a.mov", "/films/b.mov"}, 6));
    EXPECT_EQ(model.rowCount(), 12);
    fixture.store.setSelection({fixture.store.project().shots[1].id, fixture.store.project().shots[2].id});
    fixture.store.decide(Disclosure::generated);
    EXPECT_EQ(roleOf(model, 1, ShotListModel::DisclosureRole).toInt(), static_cast<int>(Disclosure::generated));

    fixture.store.setFilter(ShotFilter::parse("review"));
    EXPECT_EQ(model.rowCount(), 10);
    fixture.store.setFilter(ShotFilter::parse("labelled"));
    EXPECT_EQ(model.rowCount(), 2);
    fixture.store.setFilter({});
    fixture.store.setSearch("b.mov");
    EXPECT_EQ(model.rowCount(), 6);
    fixture.store.setSearch("nothing like it");
    EXPECT_EQ(model.rowCount(), 0);
    fixture.store.setSearch("");
    fixture.store.setGroupSort(true);
    EXPECT_EQ(roleOf(model, 0, ShotListModel::GroupRole).toLongLong(), 0);
    EXPECT_EQ(roleOf(model, 11, ShotListModel::GroupRole).toLongLong(), 2);
    fixture.dialogs.alertAnswers = {1};  // "Discard"
    fixture.store.newProject();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(ShotListModel, RolesCarryTheRowTexts) {
    StoreFixture fixture;
    Project project = testing::groupedProject({"/films/night/reel 1.mov"}, 3);
    {
        Shot& first = project.shots.mut(0);
        first.end = 1.25;
        first.category = "street, night";
        first.boundaryScore = 0.5;
        first.disclosure = Disclosure::modified;
        project.shots.mut(1).start = 1.25;
        project.shots.mut(1).feature = makeBlob({1, 2, 3});
    }
    fixture.load(project);
    ShotListModel model(fixture.store);

    EXPECT_EQ(roleOf(model, 0, ShotListModel::ClockRangeRole).toString(),
              QString::fromUtf8("00:00:00:00  \u2192  00:00:01:06"));  // timecode by default; 1.25 s lies in frame 31
    EXPECT_EQ(roleOf(model, 0, ShotListModel::FilmNameRole).toString(), QStringLiteral("reel 1.mov"));
    EXPECT_EQ(roleOf(model, 0, ShotListModel::CategoryRole).toString(), QStringLiteral("street, night"));
    EXPECT_EQ(roleOf(model, 1, ShotListModel::CategoryRole).toString(), QStringLiteral("No confident visual tags"));
    EXPECT_EQ(roleOf(model, 2, ShotListModel::CategoryRole).toString(), QStringLiteral("Refresh visual index"));
    EXPECT_EQ(roleOf(model, 0, ShotListModel::DurationRole).toString(), QStringLiteral("1.25 s"));
    EXPECT_EQ(roleOf(model, 1, ShotListModel::DurationRole).toString(), QStringLiteral("0.75 s"));
    EXPECT_TRUE(roleOf(model, 0, ShotListModel::CheckCutRole).toBool());
    EXPECT_FALSE(roleOf(model, 1, ShotListModel::CheckCutRole).toBool());
    EXPECT_EQ(roleOf(model, 0, Qt::AccessibleTextRole).toString(), QStringLiteral("Select shot at 00:00:00:00"));
    EXPECT_EQ(roleOf(model, 0, ShotListModel::ShotIdRole).toString(),
              QString::fromStdString(fixture.store.project().shots[0].id.text()));
}

TEST(ShotListModel, CheckingABoxAddsAndRemovesItsShotFromTheSelection) {
    StoreFixture fixture;
    fixture.load(testing::groupedProject({"/films/a.mov"}, 4));
    ShotListModel model(fixture.store);
    const auto ids = fixture.firstShots(3);

    EXPECT_TRUE(model.setData(model.index(0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.setData(model.index(2), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{ids[0], ids[2]}));
    EXPECT_TRUE(roleOf(model, 2, ShotListModel::SelectedRole).toBool());
    EXPECT_FALSE(model.setData(model.index(2), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.setData(model.index(0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{ids[2]}));
    EXPECT_EQ(roleOf(model, 0, Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

}  // namespace
}  // namespace marrowick
