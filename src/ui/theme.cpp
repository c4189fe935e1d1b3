// The dark palette and the small style sheet every window of the program uses.
#include "ui/theme.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>

// The style sheet's check mark comes from the bundled icons.
static void registerIcons() { Q_INIT_RESOURCE(icons); }

namespace marrowick::Theme {
namespace {

QPalette darkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, kBackground);
    palette.setColor(QPalette::WindowText, kText);
    palette.setColor(QPalette::Base, kPanel);
    palette.setColor(QPalette::AlternateBase, kSidebar);
    palette.setColor(QPalette::ToolTipBase, kControl);
    palette.setColor(QPalette::ToolTipText, kText);
    palette.setColor(QPalette::PlaceholderText, kTertiaryText);
    palette.setColor(QPalette::Text, kText);
    palette.setColor(QPalette::Button, kControl);
    palette.setColor(QPalette::ButtonText, kText);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Highlight, kAccent);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::Link, kAccent);
    palette.setColor(QPalette::Light, QColor(70, 72, 80));
    palette.setColor(QPalette::Midlight, QColor(56, 58, 64));
    palette.setColor(QPalette::Mid, QColor(40, 42, 47));
    palette.setColor(QPalette::Dark, QColor(12, 12, 14));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, kTertiaryText);
    palette.setColor(QPalette::Disabled, QPalette::Button, QColor(34, 36, 40));
    return palette;
}

// Widgets opt into these rules through their object names and dynamic properties.
constexpr const char* kStyleSheet = R"(
QToolTip { color: %1; background: %2; border: 1px solid #44464e; padding: 4px; }
QMenu { background: %3; border: 1px solid #3a3c43; padding: 4px; }
QMenu::item { padding: 5px 22px 5px 18px; border-radius: 4px; }
QMenu::item:selected { background: %4; color: %5; }
QMenu::item:disabled { color: %6; }
QMenu::separator { height: 1px; background: #3a3c43; margin: 4px 8px; }
QMenuBar { background: %7; border-bottom: 1px solid #26282d; }
QMenuBar::item { padding: 4px 10px; background: transparent; }
QMenuBar::item:selected { background: %2; border-radius: 4px; }
QPushButton, QToolButton { color: %1; background: %2; border: 1px solid #3a3c43;
    border-radius: 6px; padding: 4px 10px; }
QPushButton:hover, QToolButton:hover { background: %8; }
QPushButton:pressed, QToolButton:pressed { background: %9; }
QPushButton:disabled, QToolButton:disabled { color: %6; background: %10; border-color: #2c2e34; }
QToolButton::menu-indicator { image: none; width: 0; }
QPushButton[prominent="true"] { background: %4; color: %5; border: none; font-weight: 600; padding: 5px 14px; }
QPushButton[prominent="true"]:hover { background: %11; }
QPushButton[prominent="true"]:disabled { background: %12; color: %13; }
QPushButton[plain="true"], QToolButton[plain="true"] { background: transparent; border: none; padding: 2px 4px; }
QPushButton[plain="true"]:hover, QToolButton[plain="true"]:hover { background: rgba(255,255,255,0.06); }
QToolButton[plain="true"]:checked { background: rgba(255,159,10,0.22); border-radius: 4px; }
QPushButton[small="true"] { padding: 2px 8px; border-radius: 5px; }
QLineEdit { background: %3; border: 1px solid #3a3c43; border-radius: 6px; padding: 4px 8px;
    selection-background-color: %4; selection-color: %5; }
QLineEdit:focus { border-color: #ff9f0a; }
QProgressBar { background: #2c2e34; border: none; border-radius: 3px; max-height: 6px; }
QProgressBar::chunk { background: #ff9f0a; border-radius: 3px; }
QScrollBar:vertical { background: transparent; width: 10px; margin: 2px; }
QScrollBar::handle:vertical { background: rgba(255,255,255,0.16); border-radius: 3px; min-height: 30px; }
QScrollBar::handle:vertical:hover { background: rgba(255,255,255,0.28); }
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: transparent; }
QSplitter::handle { background: #26282d; }
QFrame[divider="true"] { background: #26282d; }
QDialog { background: %14; }
QCheckBox::indicator, QRadioButton::indicator { width: 13px; height: 13px; border: 1px solid %15; background: %3; }
QCheckBox::indicator { border-radius: 3px; }
QRadioButton::indicator { border-radius: 7px; }
QCheckBox::indicator:checked { background: %4; border-color: %4; image: url(:/icons/checkmark.svg); }
QRadioButton::indicator:checked { background: %5; border: 4px solid %4; width: 7px; height: 7px; }
QCheckBox::indicator:disabled, QRadioButton::indicator:disabled { border-color: %6; background: %10; }
)";

QString styleSheet() {
    const auto hex = [](const QColor& colour) { return colour.name(QColor::HexRgb); };
    return QString::fromLatin1(kStyleSheet)
        .arg(hex(kText), hex(kControl), hex(kField), hex(kAccent), hex(kOnAccent), hex(kTertiaryText), hex(kSidebar),
             hex(kControlHover), hex(kControlPressed))
        .arg(hex(kDisabledControl), hex(kAccentHover), hex(kAccentDisabled), hex(kOnAccentDisabled), hex(kPanel),
             hex(kSecondaryText));
}

}  // namespace

std::vector<TextPair> textPairs() {
    std::vector<TextPair> pairs;
    const std::pair<const char*, QColor> backgrounds[] = {{"window", kBackground}, {"sidebar", kSidebar},
                                                          {"panel", kPanel},       {"control", kControl},
                                                          {"field", kField},       {"pressed control", kControlPressed}};
    for (const auto& [where, background] : backgrounds) {
        pairs.push_back({"text", kText, background});
        pairs.push_back({"secondary text", kSecondaryText, background});
        pairs.push_back({"accent text", kAccent, background});
        pairs.push_back({"green text", kGreen, background});
        pairs.push_back({"tertiary text", kTertiaryText, background});
    }
    pairs.push_back({"text on a hovered control", kText, kControlHover});
    pairs.push_back({"disabled text on a disabled control", kTertiaryText, kDisabledControl});
    pairs.push_back({"text on the accent", kOnAccent, kAccent});
    pairs.push_back({"text on the hovered accent", kOnAccent, kAccentHover});
    pairs.push_back({"text on the disabled accent", kOnAccentDisabled, kAccentDisabled});
    return pairs;
}

QColor disclosureColor(Disclosure disclosure) {
    switch (disclosure) {
        case Disclosure::unreviewed: return {142, 142, 147};
        case Disclosure::none: return kGreen;
        case Disclosure::modified: return kAccent;
        case Disclosure::generated: return {191, 90, 242};
    }
    return {142, 142, 147};
}

QFont font(int pixels, QFont::Weight weight, bool monospaced) {
    QFont result = monospaced ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QApplication::font();
    result.setPixelSize(pixels);
    result.setWeight(weight);
    return result;
}

void apply(QApplication& application) {
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont base = QApplication::font();
    base.setPixelSize(13);
    application.setFont(base);
    application.setPalette(darkPalette());
    registerIcons();
    application.setStyleSheet(styleSheet());
}

}  // namespace marrowick::Theme
