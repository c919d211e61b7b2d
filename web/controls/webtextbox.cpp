#include "webtextbox.h"

namespace calcaro::web {

QString WebTextBox::text() const
{
    return fromJs(m_element["value"]);
}

void WebTextBox::setText(const QString &text)
{
    m_element.set("value", toJs(text));
}

void WebTextBox::setCentred()
{
    m_element["style"].set("textAlign", emscripten::val("center"));
}

void WebTextBox::setFocus()
{
    m_element.call<void>("focus");
}

} // namespace calcaro::web
