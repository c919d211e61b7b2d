// The scale of the game to the browser's window: the windows as large as it allows, whole. A
// script of its own, run as soon as the parser has made the stage: the main window is drawn at
// its scale from the first frame, before the rest of the page has even been read (the dialogs
// take theirs when the page's own script calls fit() again).
'use strict';

const stage = document.getElementById('stage');

// The stage has the main window's outer size, and the number pad's when it shows, beside
// the window or under it, whichever lets the windows be bigger. The dialogs take the same
// scale, or less if they would not fit (their size is the CSS's, hidden or not).
function fit() {
    const root = document.documentElement.style;
    const w = innerWidth, h = innerHeight;
    const margin = 8; // the stage never touches the screen's edge
    const scaleAt = (place) => {
        stage.dataset.pad = place;
        return Math.min((w - 2 * margin) / stage.offsetWidth,
                        (h - 2 * margin) / stage.offsetHeight);
    };
    let scale = scaleAt('below');
    if (scaleAt('side') < scale)
        stage.dataset.pad = 'below';
    else
        scale = scaleAt('side');
    root.setProperty('--scale', String(scale));
    for (const dialog of document.querySelectorAll('dialog')) {
        const size = getComputedStyle(dialog);
        dialog.style.setProperty('--dialog-scale', String(Math.min(
            scale, w / parseFloat(size.width), h / parseFloat(size.height))));
    }
}
fit();
