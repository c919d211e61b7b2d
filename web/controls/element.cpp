#include "element.h"

#include "fatalerror.h"

namespace calcaro::web {

emscripten::val element(const QString &id)
{
    emscripten::val found =
        emscripten::val::global("document").call<emscripten::val>("getElementById", toJs(id));
    if (found.isNull() || found.isUndefined())
        throw FatalError(QStringLiteral("élément absent de la page : ") + id);
    return found;
}

emscripten::val toJs(const QString &text)
{
    return emscripten::val(text.toStdString());
}

QString fromJs(const emscripten::val &text)
{
    return QString::fromStdString(text.as<std::string>());
}

bool setText(emscripten::val element, const QString &text)
{
    const emscripten::val js = toJs(text);
    if (element["textContent"].strictlyEquals(js))
        return false;
    element.set("textContent", js);
    return true;
}

namespace {

// The page's script, which the page always holds (page/windows.js).
emscripten::val page()
{
    return emscripten::val::global("calcaroPage");
}

bool holdsFocus(const emscripten::val &element)
{
    const emscripten::val focused = emscripten::val::global("document")["activeElement"];
    return !focused.isNull() && element.call<bool>("contains", focused);
}

} // namespace

void passFocusOn(const emscripten::val &element)
{
    if (holdsFocus(element))
        page().call<void>("focusNextFrom", element);
}

void leave(emscripten::val element)
{
    page().call<void>("leave", element);
}

void setHidden(emscripten::val element, bool hidden)
{
    if (hidden && holdsFocus(element)) {
        leave(element);
        return;
    }
    element.call<void>("removeAttribute", emscripten::val("data-leaving"));
    element.set("hidden", emscripten::val(hidden));
}

bool isHidden(const emscripten::val &element)
{
    return element["hidden"].as<bool>() ||
           element.call<bool>("hasAttribute", emscripten::val("data-leaving"));
}

bool takesPresses(const emscripten::val &element)
{
    return !isHidden(element) && !element["disabled"].as<bool>();
}

} // namespace calcaro::web
