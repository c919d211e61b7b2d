// The page's windows, kept as a desktop keeps them: the window the keyboard works in, its tab
// order, its access keys, and calcaroPage, the focus rules the game calls as windows and
// controls go; the dialogs' own behaviour where Safari has none. The first of the page's own
// scripts: the others use what it declares at the top.
'use strict';

const byId = (id) => document.getElementById(id);
const form1 = byId('form1');
const dialogs = [byId('Form2'), byId('Form3')];

// Safari before 15.4 has no dialogs of its own: there the game's show() and close() set the
// open attribute, which the style sheet shows, and the page keeps the keyboard inside.
for (const dialog of dialogs) {
    if (typeof dialog.show === 'function')
        continue;
    Object.defineProperty(dialog, 'open', {get: () => dialog.hasAttribute('open')});
    dialog.show = () => dialog.setAttribute('open', '');
    dialog.close = () => dialog.removeAttribute('open');
}

function shown(element) {
    return element.getClientRects().length > 0;
}

function isTextBox(element) {
    return element && element.classList && element.classList.contains('textbox');
}

// The window the keyboard works in: the open dialog, else the main window if it is shown.
function activeWindow() {
    const here = (w) => !w.hidden && !w.hasAttribute('data-leaving');
    return dialogs.find((d) => d.open && here(d)) || (here(form1) ? form1 : null);
}

// The controls that Tab visits in a window, in order: the main window's in the desktop's
// order (data-order), then the others as they come.
function tabSequence(win) {
    const controls = Array.from(win.querySelectorAll('button, input')).filter(
        (c) => c.tabIndex >= 0 && !c.disabled && shown(c));
    const rank = (c) => Number(c.dataset.order || Infinity);
    return controls.sort((a, b) => rank(a) - rank(b)); // stable: ties keep their order
}

// Called by the game before it hides or disables the control that has the focus (or a part
// of the page that holds it): the focus goes on to the next control of the window's tab
// order that stays, as a desktop moves it. The game relies on it: the page always has it.
const calcaroPage = window.calcaroPage = {
    // Hides an element that holds the focus: the focus goes on at once, and the element
    // leaves once the browser has told assistive technology of the new focus. Meanwhile it is
    // out of sight and out of reach, and the game takes it for hidden.
    leave(element) {
        // A whole window keeps the focus until the next one takes it: a screen reader then
        // says what the focus has entered (a dialog, with its texts).
        if (!element.classList.contains('window'))
            this.focusNextFrom(element);
        element.setAttribute('data-leaving', '');
        // Two frames at least: a browser tells assistive technology of changes once a frame
        // (Firefox, of removals first). A little more for a screen reader that is busy: out of
        // sight and out of reach, a window that goes a little later harms nothing.
        requestAnimationFrame(() => requestAnimationFrame(
            () => setTimeout(() => this.settle(element), 250)));
    },
    // The main window stays in the accessibility tree, out of sight, while a dialog is up:
    // a screen reader that saw it go as the dialog took the focus would say nothing of the
    // dialog. The dialogs are marked modal for assistive technology meanwhile.
    settle(element) {
        if (!element.hasAttribute('data-leaving') ||
            (element === form1 && dialogs.some((d) => d.open)))
            return;
        element.removeAttribute('data-leaving');
        if (element.tagName === 'DIALOG') {
            // WebKit puts the focus back where it was when the dialog opened, wherever it
            // has gone since ("Quitter", behind the answer box that "Non" gave it): it stays.
            const focused = document.activeElement;
            element.close();
            if (focused && focused !== document.activeElement && !element.contains(focused))
                focused.focus();
        } else {
            element.hidden = true;
        }
    },
    focusNextFrom(element) {
        const win = element.closest('.window');
        if (!win)
            return;
        const sequence = tabSequence(win);
        const at = sequence.indexOf(document.activeElement);
        const rest = at < 0 ? sequence : [...sequence.slice(at + 1), ...sequence.slice(0, at)];
        const next = rest.find((c) => !element.contains(c));
        if (next)
            next.focus();
        else
            document.activeElement.blur();
    },
};

// Access keys live only on the shown buttons of the active window. The main window's
// "Recommencer" and "Quitter" share their letters with the series-end dialog's, and a
// browser that handles access keys itself must never reach the window behind the dialog.
const keyed = Array.from(document.querySelectorAll('button[accesskey]'));
for (const button of keyed)
    button.dataset.key = button.getAttribute('accesskey');

function syncAccessKeys() {
    const active = activeWindow();
    for (const button of keyed) {
        if (active && active.contains(button) && shown(button))
            button.setAttribute('accesskey', button.dataset.key);
        else
            button.removeAttribute('accesskey');
    }
}
