#pragma once

#include <QString>

#include <emscripten/val.h>

namespace calcaro::web {

// The page's element with this id; the page holds every element of the three windows from the
// start, so a missing one is a fault of the page.
emscripten::val element(const QString &id);

emscripten::val toJs(const QString &text);
QString fromJs(const emscripten::val &text);

// Writes `text` as the element's text unless it holds it already; says whether it changed. The
// texts are compared in the page: the game compares its own as views (QStringView), since in
// Qt 6.4 QString's `==` goes through a comparison that can also ignore case, which brings Qt's
// Unicode tables, 160 KB, into the page (assemble.py checks it).
bool setText(emscripten::val element, const QString &text);

// A control that holds the focus and is about to be hidden or disabled passes the focus on to
// the next control of its window's tab order first, as on the desktop. A browser would leave the
// focus nowhere, and a screen reader would pick a place of its own, out of the game's way.
void passFocusOn(const emscripten::val &element);

// Hides or shows an element. One that holds the focus passes it on first, and leaves the page only
// once the browser has told assistive technology where the focus went (calcaroPage.leave).
void setHidden(emscripten::val element, bool hidden);
// Hides an element, or closes a dialog, the way above whether or not it holds the focus: a
// window that goes as another takes the focus must leave after it (calcaroPage.leave).
void leave(emscripten::val element);
// Hidden, or leaving.
bool isHidden(const emscripten::val &element);
// A button or menu item that a press reaches: not hidden, not disabled.
bool takesPresses(const emscripten::val &element);

} // namespace calcaro::web
