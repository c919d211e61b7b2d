#pragma once

#include <QString>

#include <emscripten/val.h>

namespace calcaro {
class Module1;
}

namespace calcaro::web {

class WebLabel;
class WebTextBox;

// What a screen reader says of the main window, beyond the page's own texts. The figures, the
// score and the message line have twins in words, for a reader who goes through the window,
// while the figures and signs themselves are hidden from it. Each new message is read out
// through a live region, wherever the focus is: the question when it shows and each time the
// answer box takes the focus again during it, the feedback with the new score, the end of a
// series. The time bar says nothing.
class WebSpeech
{
public:
    struct Controls
    {
        WebLabel &dividend;
        WebLabel &divisor;
        WebLabel &score;
        WebLabel &message;
        WebTextBox &remainder;
    };
    WebSpeech(Controls controls, const Module1 &state);

    // Brings the words in line with the screen; called whenever a figure or the score changes.
    void update();
    // Called whenever the message line changes.
    void messageShown();
    // Called once the answer box has taken the focus.
    void answerFocused();

private:
    // The question while it is asked, in words; empty otherwise.
    QString asked() const;
    void announce(const QString &text);

    Controls m_c;
    const Module1 &m_state;
    static constexpr int keptTexts = 4;
    emscripten::val m_region;
    // The text last added, as written (see announce()).
    QString m_last;
};

} // namespace calcaro::web
