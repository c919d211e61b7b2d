#pragma once

#include <QObject>

namespace calcaro {

// With a screen reader, Qt holds every key press until the screen reader has seen it, then
// hands it to the program again as a posted event. The Alt of an Alt+letter shortcut ("Alt+D"
// starts a series) then comes back after the shortcut has run, and the menu bar, taking it for
// a lone Alt, would open its keyboard navigation: the focus would leave the answer box for
// "Niveau". A handed-back Alt no longer arms the menu bar once a shortcut has run since the
// keyboard's Alt; Alt alone, handed back too, still opens it, and so does F10.
class AltReplayGuard : public QObject
{
public:
    // Watches the whole application while its parent lives.
    explicit AltReplayGuard(QObject &parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_shortcutSinceAlt = false;
};

} // namespace calcaro
