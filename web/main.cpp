#include "fatalerror.h"
#include "webprogram.h"

#include <emscripten/bind.h>

#include <memory>
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
    try {
        action();
    } catch (const std::exception &e) {
        program().reportError(QString::fromUtf8(e.what()));
    }
}

void press(const std::string &name)
{
    fromPage([&] { program().press(QString::fromStdString(name)); });
}

void closeWindow(const std::string &name)
{
    fromPage([&] { program().closeWindow(QString::fromStdString(name)); });
}

void answerFocused()
{
    fromPage([] { program().answerFocused(); });
}

} // namespace

EMSCRIPTEN_BINDINGS(calcaro)
{
    emscripten::function("press", &press);
    emscripten::function("closeWindow", &closeWindow);
    emscripten::function("answerFocused", &answerFocused);
}

int main()
{
    fromPage([] { program().start(); });
    return 0;
}
