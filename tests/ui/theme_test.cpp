// Every text colour of the theme reads against its background, and the style sheet uses the
// colours the check measures.
#include "ui/theme.h"

#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace marrowick {
namespace {

// WCAG 2 relative luminance and contrast ratio.
double luminance(const QColor& colour) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Theme, EveryTextColourReachesFourAndAHalfToOneOnItsBackground) {
    EXPECT_NEAR(contrast(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(contrast(QColor(119, 119, 119), Qt::white), 4.48, 0.01);  // WCAG's own borderline grey
    const std::vector<Theme::TextPair> pairs = Theme::textPairs();
    EXPECT_GE(pairs.size(), 30u);
    for (const Theme::TextPair& pair : pairs)
        EXPECT_GE(contrast(pair.text, pair.background), 4.5)
            << pair.name << " " << pair.text.name().toStdString() << " on " << pair.background.name().toStdString();

    const QString sheet = qApp->styleSheet();
    EXPECT_FALSE(sheet.contains(QChar('%'))) << "every colour placeholder is filled";
    for (const QColor& used : {Theme::kTertiaryText, Theme::kOnAccentDisabled, Theme::kField, Theme::kPanel})
        EXPECT_TRUE(sheet.contains(used.name())) << used.name().toStdString();
}

// The indicator's strongest contrast against the window: its border unchecked, its fill checked.
double indicatorContrast(QAbstractButton& box) {
    box.resize(box.sizeHint());
    const QImage picture = box.grab().toImage();
    double strongest = 1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < std::min(picture.width(), 18); ++x)
            strongest = std::max(strongest, contrast(picture.pixelColor(x, y), Theme::kBackground));
    return strongest;
}

TEST(Theme, CheckBoxesAndRadioButtonsShowBothStates) {
    QWidget window;
    window.setAutoFillBackground(true);
    QCheckBox check(QString(), &window);
    QRadioButton radio(QString(), &window);
    for (QAbstractButton* box : std::initializer_list<QAbstractButton*>{&check, &radio}) {
        box->setChecked(false);
        const QImage off = box->grab().toImage();
        EXPECT_GE(indicatorContrast(*box), 3.0) << "unchecked: a border non-text contrast can see";
        box->setChecked(true);
        EXPECT_GE(indicatorContrast(*box), 3.0);
        EXPECT_NE(box->grab().toImage(), off) << "checked looks different";
    }
}

}  // namespace
}  // namespace marrowick
