// The scale of the game to the browser's window: the windows as large as it allows, whole. A
// script of its own, run as soon as the parser has made the stage: the main window is drawn at
// its scale from the first frame, before the rest of the page has even been read (the dialogs
// take theirs when the page's own script calls fit() again).
'use strict';

const stage = document.getElementById('stage');

// The stage has the main window's outer size, and the number pad's when it shows, beside
// the window or under it, whichever lets the windows be bigger. The dialogs take the same
// scale, or less if they would not fit (their size is the CSS's, hidden or not). The sizes
// are read from the style sheet without a layout (see #stage there).
function fit() {
    const root = document.documentElement.style;
    const w = innerWidth, h = innerHeight;
    const margin = 8; // the stage never touches the screen's edge
    const style = getComputedStyle(stage);
    const size = (name) => parseFloat(style.getPropertyValue(name));
    const withPad = document.body.classList.contains('with-pad');
    const width = size('--width'), height = size('--height');
    const padWidth = withPad ? size('--pad-width') : 0;
    const padHeight = withPad ? size('--pad-height') : 0;
    const scaleFor = (stageWidth, stageHeight) => Math.min((w - 2 * margin) / stageWidth,
                                                           (h - 2 * margin) / stageHeight);
    const side = scaleFor(width + padWidth, height);
    const below = scaleFor(width, height + padHeight);
    const scale = Math.max(side, below);
    stage.dataset.pad = side < below ? 'below' : 'side';
    root.setProperty('--scale', String(scale));
    for (const dialog of document.querySelectorAll('dialog')) {
        const size = getComputedStyle(dialog);
        dialog.style.setProperty('--dialog-scale', String(Math.min(
            scale, w / parseFloat(size.width), h / parseFloat(size.height))));
    }
}
fit();
