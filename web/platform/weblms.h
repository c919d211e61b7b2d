#pragma once

#include "resultlistener.h"

namespace calcaro::web {

// Hands the game's results to the page's link with a school's learning platform (lms.js), which
// does nothing when the page was not opened from one.
class WebLms : public ResultListener
{
public:
    void answered(const AnsweredQuestion &question) override;
    void seriesEnded(int score, int outOf) override;
    // The child has quit: the platform's session ends.
    void finish();
};

} // namespace calcaro::web
