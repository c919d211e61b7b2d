#include "weblms.h"

#include "controls/element.h"

#include <emscripten/val.h>

namespace calcaro::web {
namespace {

emscripten::val lms()
{
    return emscripten::val::global("calcaroLms");
}

} // namespace

// What an interaction records (lms.js): the remainder follows from the division, and the
// platform numbers the interactions itself.
void WebLms::answered(const AnsweredQuestion &question)
{
    emscripten::val facts = emscripten::val::object();
    facts.set("dividend", question.dividend.value());
    facts.set("divisor", question.divisor.value());
    facts.set("quotient", question.quotient.value());
    facts.set("given", toJs(question.given));
    facts.set("correct", question.correct);
    facts.set("elapsedMs", question.elapsedMs);
    lms().call<void>("answered", facts);
}

void WebLms::seriesEnded(int score, int outOf)
{
    lms().call<void>("seriesEnded", score, outOf);
}

void WebLms::finish()
{
    lms().call<void>("finish");
}

} // namespace calcaro::web
