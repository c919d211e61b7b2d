#include "scriptedrandom.h"

#include <QtTest/QTest>

namespace calcaro::test {

void ScriptedRandom::draw(std::initializer_list<int> values)
{
    m_values.insert(m_values.end(), values.begin(), values.end());
}

float ScriptedRandom::next()
{
    ++m_taken;
    if (m_values.empty() && m_fallback != 0)
        return unitFor(m_fallback);
    if (m_values.empty()) {
        // Running out means the game drew more often than the test expected.
        QTest::qFail("the game drew more numbers than the test scripted", __FILE__, __LINE__);
        return unitFor(1);
    }
    const int k = m_values.front();
    m_values.pop_front();
    return unitFor(k);
}

} // namespace calcaro::test
