// The school's learning platform, when the page is opened from one as a SCORM 1.2 activity: the
// game tells it each answer and each series' score, through the platform's own API object.
// Opened any other way, there is no such object and nothing here does anything.
//
// What the gradebook keeps is the best series of the session: a child who plays on after a good
// series, tired, keeps the grade earned. The status is "completed" once a series has ended, or
// "passed"/"failed" where the platform gives a mastery score, compared with the score out of 10
// as SCORM 1.2 platforms compare it themselves.
//
// A platform that is missing, slow, throws, answers "false" or sets an error code never stops
// the game: every call is caught, none runs inside the game's own work (they wait for the
// browser's next turn), and the game counts its time in its own ticks, which a slow call only
// postpones.
'use strict';

window.calcaroLms = (function () {
    // SCORM 1.2's search: up the frames that hold the page, then from the window that opened
    // it. A frame of another origin cannot be looked into; the search goes on past it.
    function apiIn(win) {
        for (let hops = 0; win && hops < 10; ++hops) {
            try {
                if (win.API && typeof win.API.LMSInitialize === 'function')
                    return win.API;
            } catch (error) {
                // another origin's frame
            }
            let parent = null;
            try {
                parent = win.parent;
            } catch (error) {
                return null;
            }
            if (!parent || parent === win)
                return null;
            win = parent;
        }
        return null;
    }

    function findApi() {
        const own = apiIn(window);
        if (own)
            return own;
        try {
            return window.opener ? apiIn(window.opener) : null;
        } catch (error) {
            return null;
        }
    }

    let api = null;
    let startedAt = 0;
    let nextInteraction = 0;
    let best = -1;
    let mastery = NaN;
    const waiting = [];

    // Every call to the platform, made safe: its answer as a string, or "false" if it threw.
    function call(name, ...args) {
        try {
            return String(api[name](...args));
        } catch (error) {
            return 'false';
        }
    }
    const get = (element) => call('LMSGetValue', element);
    const set = (element, value) => call('LMSSetValue', element, String(value));

    const two = (n) => (n < 10 ? '0' : '') + n;

    // SCORM 1.2's time span, HHHH:MM:SS.SS.
    function timespan(ms) {
        const cs = Math.max(0, Math.round(ms / 10));
        const hours = String(Math.floor(cs / 360000));
        return '0000'.slice(hours.length) + hours + ':' + two(Math.floor(cs / 6000) % 60) + ':' +
               two(Math.floor(cs / 100) % 60) + '.' + two(cs % 100);
    }

    function later(work) {
        if (!api)
            return;
        waiting.push(work);
        if (waiting.length === 1)
            setTimeout(flush);
    }

    function flush() {
        while (waiting.length)
            waiting.shift()();
    }

    function start() {
        api = findApi();
        if (!api)
            return;
        if (call('LMSInitialize', '') !== 'true') {
            api = null;
            return;
        }
        startedAt = performance.now();
        nextInteraction = parseInt(get('cmi.interactions._count'), 10) || 0;
        mastery = parseFloat(get('cmi.student_data.mastery_score'));
        if (get('cmi.core.lesson_status') === 'not attempted')
            set('cmi.core.lesson_status', 'incomplete');
    }

    // One question as the game judged it (AnsweredQuestion).
    function answered(q) {
        const now = new Date();
        later(() => {
            const at = 'cmi.interactions.' + nextInteraction++ + '.';
            set(at + 'id', 'division_' + q.dividend + '_par_' + q.divisor);
            set(at + 'time', two(now.getHours()) + ':' + two(now.getMinutes()) + ':' +
                             two(now.getSeconds()));
            set(at + 'type', 'numeric');
            set(at + 'correct_responses.0.pattern', q.quotient);
            set(at + 'student_response', q.given.slice(0, 255));
            set(at + 'result', q.correct ? 'correct' : 'wrong');
            set(at + 'latency', timespan(q.elapsedMs));
        });
    }

    function seriesEnded(score, outOf) {
        later(() => {
            if (score > best) {
                best = score;
                set('cmi.core.score.min', 0);
                set('cmi.core.score.max', outOf);
                set('cmi.core.score.raw', score);
            }
            set('cmi.core.lesson_status',
                isNaN(mastery) ? 'completed' : best >= mastery ? 'passed' : 'failed');
            call('LMSCommit', '');
        });
    }

    // The child has quit, or the page goes for good: the last of the answers, the time spent,
    // and the end of the session, once.
    function finish() {
        if (!api)
            return;
        flush();
        set('cmi.core.session_time', timespan(performance.now() - startedAt));
        call('LMSFinish', '');
        api = null;
    }

    addEventListener('pagehide', (event) => {
        if (!event.persisted)
            finish();
    });

    return {start, answered, seriesEnded, finish};
})();
