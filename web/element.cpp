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

void setHidden(emscripten::val element, bool hidden)
{
    element.set("hidden", emscripten::val(hidden));
}

} // namespace calcaro::web
