// The school's learning platform, when the page is opened from one as a SCORM 1.2 activity: the
// game tells it each answer and each series' score, through the platform's own API object.
// Opened any other way, there is no such object and nothing here does anything. What it sends,
// and why: docs/web.md, "The grade a teacher sees".
//
// A platform that is missing, slow, throws, answers "false" or sets an error code never stops
// the game: every call is caught, none runs inside the game's own work (they wait for the
// browser's next turn), and the game counts its time in its own ticks, which a slow call only
// postpones.
'use strict';

window.calcaroLms = (function () {
    // SCORM 1.2's search: up the frames that hold the page, then from the window that opened
    // it. A frame of another origin cannot be looked into, but its parent can be reached (as
    // every window's opener): the search goes on past it.
    function apiIn(win) {
        for (let hops = 0; win && hops < 10; ++hops) {
            try {
                if (win.API && typeof win.API.LMSInitialize === 'function')
                    return win.API;
            } catch (error) {
                // another origin's frame
            }
            win = win.parent === win ? null : win.parent; // the top window is its own parent
        }
        return null;
    }

    let api = null;
    let recording = false; // not in a preview
    let startedAt = 0;
    let nextInteraction = 0;
    // What the attempt holds, this visit and the ones before: its best series out of 100 (-1
    // before any), whether it has passed, whether a series has ended.
    let best = -1;
    let passed = false;
    let ended = false;
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
        if (!recording)
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
        api = apiIn(window) || apiIn(window.opener);
        if (api && call('LMSInitialize', '') !== 'true')
            api = null;
        if (!api)
            return;
        startedAt = performance.now();
        // A preview ("browse") records nothing; a visit in review mode records as any other,
        // since nothing it sends can lower what the attempt holds.
        recording = get('cmi.core.lesson_mode') !== 'browse';
        if (!recording)
            return;
        nextInteraction = parseInt(get('cmi.interactions._count'), 10) || 0;
        mastery = parseFloat(get('cmi.student_data.mastery_score'));
        // The attempt's best as the platform holds it, out of 100 whatever scale it was kept on.
        const raw = parseFloat(get('cmi.core.score.raw'));
        const max = parseFloat(get('cmi.core.score.max'));
        best = isNaN(raw) ? -1 : max > 0 ? raw * 100 / max : raw;
        const status = get('cmi.core.lesson_status');
        passed = status === 'passed';
        ended = passed || status === 'completed' || status === 'failed';
        if (status === 'not attempted' || status === '')
            set('cmi.core.lesson_status', 'incomplete');
    }

    // One question as the game judged it (AnsweredQuestion). The response is the box's text as
    // the child left it, which is what was judged: "7abc" counted as 7, a time-out left it
    // empty.
    function answered(q) {
        const now = new Date();
        later(() => {
            const at = 'cmi.interactions.' + nextInteraction++ + '.';
            set(at + 'id', 'division_' + q.dividend + '_par_' + q.divisor);
            set(at + 'time', now.toTimeString().slice(0, 8)); // HH:MM:SS, local
            set(at + 'type', 'numeric');
            set(at + 'correct_responses.0.pattern', q.quotient);
            set(at + 'student_response', q.given.slice(0, 255));
            set(at + 'result', q.correct ? 'correct' : 'wrong');
            set(at + 'latency', timespan(q.elapsedMs));
        });
    }

    function seriesEnded(score, outOf) {
        const percent = Math.round(score * 100 / outOf);
        later(() => {
            if (percent > best) {
                best = percent;
                set('cmi.core.score.min', 0);
                set('cmi.core.score.max', 100);
                set('cmi.core.score.raw', best);
            }
            passed = passed || best >= mastery;
            ended = true;
            set('cmi.core.lesson_status',
                passed ? 'passed' : isNaN(mastery) ? 'completed' : 'failed');
            call('LMSCommit', '');
        });
    }

    // The child has quit, or the page goes for good: the last of the answers, how the attempt
    // is left, the time spent, and the end of the session, once. An attempt with no series
    // ended yet is suspended, so that a platform keeps it for the next visit rather than close
    // it unfinished; one with a result is left as done.
    function finish() {
        if (!api)
            return;
        flush();
        if (recording) {
            set('cmi.core.exit', ended ? '' : 'suspend');
            set('cmi.core.session_time', timespan(performance.now() - startedAt));
        }
        call('LMSFinish', '');
        api = null;
        recording = false;
    }

    addEventListener('pagehide', (event) => {
        if (!event.persisted)
            finish();
    });

    return {start, answered, seriesEnded, finish};
})();
