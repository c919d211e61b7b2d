#pragma once

#include <QString>

#include <compare>
#include <cstdint>

namespace calcaro {

// A 16-bit signed game value. Every +, - and * is checked: a result outside -32768..32767
// throws FatalError::overflow(), which ends the program.
class Integer
{
public:
    static constexpr int minimum = INT16_MIN;
    static constexpr int maximum = INT16_MAX;

    constexpr Integer() = default;
    // Checked: a value outside the range is the same fatal overflow as a sum would be.
    Integer(int value); // NOLINT(google-explicit-constructor): plain numbers read naturally

    constexpr int value() const { return m_value; }

    friend Integer operator+(Integer a, Integer b) { return Integer(a.m_value + b.m_value); }
    friend Integer operator-(Integer a, Integer b) { return Integer(a.m_value - b.m_value); }
    friend Integer operator*(Integer a, Integer b) { return Integer(a.m_value * b.m_value); }

    friend constexpr bool operator==(Integer a, Integer b) = default;
    friend constexpr auto operator<=>(Integer a, Integer b) = default;

    // Plain decimal digits, a minus sign only when negative: "42", "-7".
    QString toString() const { return QString::number(m_value); }

private:
    std::int16_t m_value = 0;
};

} // namespace calcaro
