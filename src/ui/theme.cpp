// The dark palette and the small style sheet every window of the program uses.
#include "ui/theme.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>

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
QToolTip { color: #ececf0; background: #2c2e34; border: 1px solid #44464e; padding: 4px; }
QMenu { background: #24262b; border: 1px solid #3a3c43; padding: 4px; }
QMenu::item { padding: 5px 22px 5px 18px; border-radius: 4px; }
QMenu::item:selected { background: #ff9f0a; color: #131417; }
QMenu::item:disabled { color: #686a72; }
QMenu::separator { height: 1px; background: #3a3c43; margin: 4px 8px; }
QMenuBar { background: #18191d; border-bottom: 1px solid #26282d; }
QMenuBar::item { padding: 4px 10px; background: transparent; }
QMenuBar::item:selected { background: #2c2e34; border-radius: 4px; }
QPushButton, QToolButton { color: #ececf0; background: #2c2e34; border: 1px solid #3a3c43;
    border-radius: 6px; padding: 4px 10px; }
QPushButton:hover, QToolButton:hover { background: #35373e; }
QPushButton:pressed, QToolButton:pressed { background: #26282d; }
QPushButton:disabled, QToolButton:disabled { color: #5c5e66; background: #222328; border-color: #2c2e34; }
QToolButton::menu-indicator { image: none; width: 0; }
QPushButton[prominent="true"] { background: #ff9f0a; color: #131417; border: none; font-weight: 600; padding: 5px 14px; }
QPushButton[prominent="true"]:hover { background: #ffb340; }
QPushButton[prominent="true"]:disabled { background: #5a4320; color: #8a7a60; }
QPushButton[plain="true"], QToolButton[plain="true"] { background: transparent; border: none; padding: 2px 4px; }
QPushButton[plain="true"]:hover, QToolButton[plain="true"]:hover { background: rgba(255,255,255,0.06); }
QToolButton[plain="true"]:checked { background: rgba(255,159,10,0.22); border-radius: 4px; }
QPushButton[small="true"] { padding: 2px 8px; border-radius: 5px; }
QLineEdit { background: #24262b; border: 1px solid #3a3c43; border-radius: 6px; padding: 4px 8px;
    selection-background-color: #ff9f0a; selection-color: #131417; }
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
QDialog { background: #1c1e22; }
)";

}  // namespace

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
    application.setStyleSheet(QString::fromLatin1(kStyleSheet));
}

}  // namespace marrowick::Theme
