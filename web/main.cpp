#include "fatalerror.h"
#include "webprogram.h"

#include <emscripten/bind.h>

#include <string>

namespace {

calcaro::web::WebProgram &program()
{
    // Lives as long as the page: the browser keeps the module after main() returns.
    static auto *const instance = new calcaro::web::WebProgram;
    return *instance;
}

// What the page hands on; a fault of the page itself must not reach the browser's console as
// an exception from the game.
template <typename Action> void fromPage(Action &&action)
{
    if (const auto error = calcaro::errorStopping(action))
        program().reportError(*error);
}

// A call of the page's, by the name of a window or a control.
template <void (calcaro::web::WebProgram::*call)(const QString &)>
void named(const std::string &name)
{
    fromPage([&] { (program().*call)(QString::fromStdString(name)); });
}

void answerFocused()
{
    fromPage([] { program().answerFocused(); });
}

void start()
{
    fromPage([] { program().start(); });
}

} // namespace

// No main(): the page starts the game once the module is made. A main() would end, as C++ has
// it, with exit(), which emscripten makes a thrown and caught exception; and the page keeps the
// module after that all the same.
EMSCRIPTEN_BINDINGS(calcaro)
{
    emscripten::function("start", &start);
    emscripten::function("press", &named<&calcaro::web::WebProgram::press>);
    emscripten::function("closeWindow", &named<&calcaro::web::WebProgram::closeWindow>);
    emscripten::function("answerFocused", &answerFocused);
}
