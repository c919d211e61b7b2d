#pragma once

#include <QObject>

namespace calcaro {

// With a screen reader, Qt holds every key press until the screen reader has seen it, then
// hands it to the program again as a posted event. The Alt of an Alt+letter shortcut ("Alt+D"
// starts a series) then comes back after the shortcut has run, and the menu bar, taking it for
// a lone Alt, would open its keyboard navigation: the focus would leave the answer box for
// "Niveau". Only an Alt press that came from the keyboard itself opens the menu bar; Alt
// alone and F10 still do.
class AltReplayGuard : public QObject
{
public:
    // Watches the whole application while its parent lives.
    explicit AltReplayGuard(QObject &parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace calcaro
