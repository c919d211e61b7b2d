#pragma once

namespace calcaro {

// The game's pseudo-random generator: reseeded from the clock before every draw.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Reseeds, then returns the next value u with 0 <= u < 1.
    virtual float next() = 0;
};

} // namespace calcaro
