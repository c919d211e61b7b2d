#include "calcaroapplication.h"
#include "program.h"

int main(int argc, char *argv[])
{
    calcaro::CalcaroApplication app(argc, argv);
    calcaro::startProgram();
    return app.exec();
}
