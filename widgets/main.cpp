#include "calcaroapplication.h"
#include "desktop/bigscreen.h"
#include "displayguard.h"
#include "program.h"

#include <optional>

int main(int argc, char *argv[])
{
    std::optional<calcaro::CalcaroApplication> app;
    {
        calcaro::DisplayGuard guard;
        calcaro::bigscreen::chooseScale(argc, argv);
        app.emplace(argc, argv);
    }
    calcaro::startProgram();
    return app->exec();
}
