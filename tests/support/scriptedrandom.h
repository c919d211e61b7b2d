#pragma once

#include "randomsource.h"

#include <deque>
#include <initializer_list>

namespace calcaro::test {

// Gives the draws a test asks for, in order: draw(7) makes the next NombreHasard return 7.
class ScriptedRandom : public RandomSource
{
public:
    void draw(std::initializer_list<int> values);
    // Once the scripted draws are used up, keep drawing k instead of warning.
    void repeatWhenEmpty(int k) { m_fallback = k; }
    bool exhausted() const { return m_values.empty(); }
    int drawsTaken() const { return m_taken; }
    float next() override;

    // The u that NombreHasard turns into the draw k.
    static float unitFor(int k) { return (static_cast<float>(k) - 0.5f) / 9.0f; }

private:
    std::deque<int> m_values;
    int m_taken = 0;
    int m_fallback = 0;
};

} // namespace calcaro::test
