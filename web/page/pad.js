// The number pad: on a touch screen, or when the child asks for it from the menu. Its keys write
// into the answer box without taking its focus.
'use strict';

const validate = byId('Command3');
const pad = byId('pad');
const padItem = byId('mnuPave');
const boxes = Array.from(document.querySelectorAll('.textbox'));
// A finger for a pointer, or no hover at all: a tablet, a phone, a whiteboard.
const touchScreen = matchMedia('(pointer: coarse), (hover: none)');
let padChoice = null; // the child's own choice from the menu, over what the screen is
let lastBox = null;   // the answer box the pad writes into when the focus is elsewhere

function syncPad() {
    const wanted = padChoice === null ? touchScreen.matches : padChoice;
    padItem.setAttribute('aria-checked', String(wanted));
    // With the pad on screen, a tablet's own keyboard would only cover the game.
    for (const box of boxes)
        box.inputMode = wanted ? 'none' : 'numeric';
    const show = wanted && !form1.hidden && !form1.hasAttribute('data-leaving');
    if (pad.hidden === show) {
        pad.hidden = !show;
        document.body.classList.toggle('with-pad', show);
        fit();
    }
    // The keys work while a question waits for its answer: while "Valider" does.
    const answering = shown(validate) && !validate.disabled;
    for (const key of pad.querySelectorAll('button')) {
        if (key.disabled === answering)
            key.disabled = !answering;
    }
}

function padTarget() {
    return [document.activeElement, lastBox, byId('Text1')].find(
        (box) => isTextBox(box) && shown(box) && !box.readOnly && !box.disabled);
}

function padKey(key) {
    if (key.id === 'pad-validate') {
        press('Command3');
        return;
    }
    const box = padTarget();
    if (!box)
        return;
    if (key.id === 'pad-clear') {
        box.value = '';
    } else if (box === document.activeElement) {
        box.setRangeText(key.textContent, box.selectionStart, box.selectionEnd, 'end');
    } else {
        box.value += key.textContent;
    }
    box.dispatchEvent(new Event('input', {bubbles: true}));
}
