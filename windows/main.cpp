#include "calcaroapplication.h"
#include "displayguard.h"
#include "program.h"

#include <optional>

int main(int argc, char *argv[])
{
    std::optional<calcaro::CalcaroApplication> app;
    {
        calcaro::DisplayGuard guard;
        app.emplace(argc, argv);
    }
    calcaro::startProgram();
    return app->exec();
}
