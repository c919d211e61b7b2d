#include "webtextbox.h"

#include "element.h"

namespace calcaro::web {

WebTextBox::WebTextBox(const QString &id) : m_element(element(id)) {}

QString WebTextBox::text() const
{
    return fromJs(m_element["value"]);
}

void WebTextBox::setText(const QString &text)
{
    m_element.set("value", toJs(text));
}

bool WebTextBox::isVisible() const
{
    return !isHidden(m_element);
}

void WebTextBox::setVisible(bool visible)
{
    setHidden(m_element, !visible);
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
