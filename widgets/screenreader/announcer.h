#pragma once

#include <QObject>

#include <array>

class QWidget;

namespace calcaro {

// Reads a text out through a screen reader, where the focus is, without changing anything on
// screen: the text becomes the name of an invisible notice, which then appears. Screen readers
// read a notice that appears in the active window whatever has the focus (Orca reads it whole,
// after what it is saying). Nothing is told while the window is out of sight.
class Announcer : public QObject
{
public:
    // The notices live, invisible, in this widget; owned by it.
    explicit Announcer(QWidget &parent);

    void announce(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A screen reader reads a notice some time after it appeared, on a busy machine a good while
    // after: each text keeps a notice of its own until the notices have all been used again.
    std::array<QWidget *, 4> m_notices{};
    std::size_t m_next = 0;
    QWidget &m_parent;
};

} // namespace calcaro
