#pragma once

#include <QString>

#include <emscripten/val.h>

namespace calcaro::web {

// The page's element with this id; the page holds every element of the three windows from the
// start, so a missing one is a fault of the page.
emscripten::val element(const QString &id);

emscripten::val toJs(const QString &text);
QString fromJs(const emscripten::val &text);

void setHidden(emscripten::val element, bool hidden);

} // namespace calcaro::web
