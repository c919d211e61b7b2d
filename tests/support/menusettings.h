#pragma once

#include "fakeform1.h"

namespace calcaro::test {

// The level and the speed by their menu items' captions; a level is also its number.
enum Level { Niveau1 = 1, Niveau2, Niveau3 };
enum Speed { Lent, Moyen, Rapide };

// Leaves exactly the items of this level and this speed checked, as the child's choices do.
inline void choose(FakeForm1 &f, Level level, Speed speed)
{
    f.mnuNiveau1.checked = level == Niveau1;
    f.mnuNiveau2.checked = level == Niveau2;
    f.mnuNiveau3.checked = level == Niveau3;
    f.mnuLent.checked = speed == Lent;
    f.mnuMoyen.checked = speed == Moyen;
    f.mnuRapide.checked = speed == Rapide;
}

} // namespace calcaro::test
