// Finds the widget a test drives the way a person would: by the words on it or its accessible name.
#pragma once

#include <stdexcept>
#include <string>

#include <QLabel>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace marrowick::testing {

enum class Presence { any, shown };

// The first child of `parent` of type Widget whose accessible name or text is `name`; with
// Presence::shown, only one that would be visible with `parent`. Throws when there is none, so a
// renamed control fails the test that uses it.
template <class Widget>
Widget& findWidget(const QWidget& parent, const QString& name, Presence presence = Presence::any) {
    for (Widget* candidate : parent.findChildren<Widget*>()) {
        if (presence == Presence::shown && !candidate->isVisibleTo(&parent)) continue;
        if (candidate->accessibleName() == name || candidate->property("text").toString() == name) return *candidate;
    }
    throw std::runtime_error(std::string("no ") + Widget::staticMetaObject.className() + " named " + name.toStdString());
}

// Whether a label of `parent` reads `text` (with Presence::shown, one visible with `parent`).
inline bool showsLabel(const QWidget& parent, const QString& text, Presence presence = Presence::any) {
    for (const QLabel* label : parent.findChildren<QLabel*>())
        if ((presence == Presence::any || label->isVisibleTo(&parent)) && label->text() == text) return true;
    return false;
}

}  // namespace marrowick::testing
