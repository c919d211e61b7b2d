// Calcaro CM1 in the browser: what the page does by itself around the game. The game (the C++
// module) changes the elements directly and decides what every press does; this script, the
// last of the page's own, hands it the child's clicks, taps and keys, keeps the access keys and
// the number pad in step with the windows, and at the end starts the page.
'use strict';

// ---- What changes with the windows --------------------------------------------------------------

function windowsChanged() {
    calcaroPage.settle(form1);
    syncAccessKeys();
    syncPad();
}

// ---- Clicks -------------------------------------------------------------------------------------

function clicked(event) {
    const button = event.target.closest('button');
    if (!button)
        return;
    const id = button.id;
    if (pad.contains(button)) {
        padKey(button);
    } else if (id === 'goodbye-replay') {
        location.reload();
    } else if (button.classList.contains('close')) {
        closeWindow(button.closest('.window').id);
    } else if (button.classList.contains('menutitle')) {
        menus.titleClicked(button, event.detail === 0);
    } else if (button === padItem) {
        menus.leave();
        padChoice = padItem.getAttribute('aria-checked') !== 'true';
        syncPad();
    } else if (button.getAttribute('role') === 'menuitemradio') {
        menus.leave();
        press(id);
    } else if (id) {
        press(id);
    }
}

// ---- Keys ---------------------------------------------------------------------------------------

// The letter of an Alt+letter press. The key's character where it is a letter, for the
// child's own keyboard layout (AZERTY included); else the key's place, where Alt turns the
// character into another one (macOS).
function letterOf(event) {
    if (/^[a-z]$/i.test(event.key))
        return event.key.toLowerCase();
    const place = /^Key([A-Z])$/.exec(event.code);
    return place ? place[1].toLowerCase() : null;
}

// Alt+letter presses the active window's button of that access key, in every browser.
function accessKey(event, active) {
    const letter = letterOf(event);
    if (!letter || !active)
        return;
    // A letter of the window's, even while its button is hidden, is the game's: the
    // browser must not take it (Alt+D would go to the address bar, out of the game).
    const buttons = keyed.filter((b) => b.dataset.key === letter && active.contains(b));
    if (!buttons.length)
        return;
    event.preventDefault();
    const button = buttons.find(shown);
    if (!button || event.repeat || button.disabled)
        return;
    button.focus();
    button.click();
}

function keyPressed(event) {
    // Handled already: by the menus, or by a browser that ran an access key itself.
    if (event.defaultPrevented)
        return;
    const active = activeWindow();
    const target = event.target;

    if (event.altKey && !event.ctrlKey && !event.metaKey) {
        accessKey(event, active);
        return;
    }
    if (event.ctrlKey || event.metaKey)
        return;

    if (event.key === 'Tab' && active && active.contains(target)) {
        // Tab goes round the window's controls in the desktop's order, rather than leaving
        // for the browser's own bar.
        const sequence = tabSequence(active);
        const at = sequence.indexOf(target);
        if (at >= 0) {
            event.preventDefault();
            const n = sequence.length;
            sequence[(at + (event.shiftKey ? n - 1 : 1)) % n].focus();
        }
        return;
    }

    if (event.key === 'F10') {
        if (active === form1) {
            event.preventDefault();
            menus.toggle();
        }
        return;
    }

    if (event.key === 'Escape') {
        if (dialogs.some((d) => d.open))
            event.preventDefault();
        return;
    }

    if (event.key === 'Enter') {
        // A held key presses nothing again: its repeats would judge the next question the
        // moment it is set up, before the child has even seen it. Only a new press counts.
        if (event.repeat && (target.tagName === 'BUTTON' || isTextBox(target))) {
            event.preventDefault();
            return;
        }
        // In the main window, Enter in either box (or with no control focused) validates.
        if (active === form1 && !event.shiftKey &&
            (isTextBox(target) || target === document.body || target === form1)) {
            event.preventDefault();
            press('Command3');
        }
        return;
    }

    if (event.key === ' ' && event.repeat && target.tagName === 'BUTTON')
        event.preventDefault();
}

// ---- How it starts ------------------------------------------------------------------------------

addEventListener('resize', fit);
fit();

new MutationObserver(windowsChanged).observe(document.body, {
    subtree: true,
    attributes: true,
    attributeFilter: ['hidden', 'open', 'disabled', 'data-leaving'],
});
// Safari before 14 has only the older way of listening to a media query.
if (touchScreen.addEventListener)
    touchScreen.addEventListener('change', syncPad);
else
    touchScreen.addListener(syncPad);
windowsChanged();

// Escape does nothing in the dialogs, as on the desktop, where they have no cancel button:
// the browser must not close a dialog behind the game's back either.
for (const dialog of dialogs)
    dialog.addEventListener('cancel', (event) => event.preventDefault());

document.addEventListener('focusin', (event) => {
    if (!isTextBox(event.target))
        return;
    lastBox = event.target;
    // Once the focus has settled, as the game may be what moved it.
    if (event.target.id === 'Text1')
        setTimeout(() => calcaro && document.activeElement === event.target &&
                         calcaro.answerFocused());
});
document.addEventListener('click', clicked);
// A click on a window's ground, a label, a close box or a key of the pad leaves the focus
// where it is, as on the desktop: the answer box keeps it while the child clicks around.
document.addEventListener('mousedown', (event) => {
    const control = event.target.closest('button, input');
    if (!control || control.classList.contains('close') || pad.contains(control))
        event.preventDefault();
});
document.addEventListener('keydown', keyPressed);
