#include "answervalue.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#ifdef __EMSCRIPTEN__
// The browser build's C++ library reads no floating point with from_chars, and its C library's
// strtod would bring 128-bit arithmetic into the page, a tenth of the game's code: the browser
// reads the same text the same way, correctly rounded, infinite when too large.
#include <emscripten/emscripten.h>
EM_JS(double, calcaro_browserNumber, (const char *text), { return Number(UTF8ToString(text)); });
#endif

namespace calcaro {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

double readWholeNumber(const std::string &s, std::size_t from, int base)
{
    double value = 0;
    for (std::size_t i = from; i < s.size(); ++i) {
        const int d = digitValue(s[i], base);
        if (d < 0)
            break;
        value = value * base + d;
    }
    return value;
}

} // namespace

double readNumber(QStringView text)
{
    // Work on a narrow copy: only ASCII can form a number, anything else just ends it.
    std::string s;
    s.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n')
            continue;
        s.push_back(u < 0x80 ? static_cast<char>(u) : '\x7f');
    }

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return readWholeNumber(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return readWholeNumber(s, 2, 8);
        return 0;
    }

    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            number.push_back('-');
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            digits = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number.push_back(s[i]);
    }
    if (!digits)
        return 0;

    bool negativeExponent = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExponent = s[j] == '-';
            exponent.push_back(s[j++]);
        }
        // An exponent letter without digits is not part of the number.
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                exponent.push_back(s[j++]);
            number += exponent;
        }
    }

    double value = 0;
#ifdef __EMSCRIPTEN__
    value = calcaro_browserNumber(number.c_str());
    const bool outOfRange = std::isinf(value);
#else
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    const bool outOfRange = error == std::errc::result_out_of_range;
#endif
    if (outOfRange) {
        if (negativeExponent)
            return 0;
        const double inf = std::numeric_limits<double>::infinity();
        return number.front() == '-' ? -inf : inf;
    }
    return value;
}

std::optional<Integer> roundToInteger(double value)
{
    if (!std::isfinite(value) || value < Integer::minimum - 1 || value > Integer::maximum + 1)
        return std::nullopt;
    // Exact for every double in this range, and independent of the FPU rounding mode.
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0))
        rounded += 1;
    if (rounded < Integer::minimum || rounded > Integer::maximum)
        return std::nullopt;
    return Integer(static_cast<int>(rounded));
}

} // namespace calcaro
