#include "module1.h"

namespace calcaro {

void Module1::initvariables()
{
    score = 0;
    serie = 0;
    decompte = 0;
    facteur = 1;
    echelle = 1;
    reste = 0;
    delai = 10;
    total = 0;
}

} // namespace calcaro
