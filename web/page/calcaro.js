// Calcaro CM1 in the browser: what the page does by itself around the game. The game (the C++
// module) changes the elements directly and decides what every press does; this script hands it
// the child's clicks, taps and keys, and keeps to the page what a desktop would do: the menu bar,
// the number pad, the access keys and the tab order, the scale of the windows to the browser
// window, and calcaroPage, the focus rules the game calls as windows and controls go.
// It reads top to bottom: what it declares, then, at the end, how it starts.
'use strict';

(function () {
    const byId = (id) => document.getElementById(id);
    const form1 = byId('form1');
    const stage = byId('stage');
    const loading = byId('loading');
    const validate = byId('Command3');
    const dialogs = [byId('Form2'), byId('Form3')];

    // Safari before 15.4 has no dialogs of its own: there the game's show() and close() set the
    // open attribute, which the style sheet shows, and the page keeps the keyboard inside.
    for (const dialog of dialogs) {
        if (typeof dialog.show === 'function')
            continue;
        Object.defineProperty(dialog, 'open', {
            get: () => dialog.hasAttribute('open'),
            set: (open) => open ? dialog.setAttribute('open', '') : dialog.removeAttribute('open'),
        });
        dialog.show = () => { dialog.open = true; };
        dialog.close = () => { dialog.open = false; };
    }
    // Pointer events came to Safari with 13; a mouse's events stand in for them before that
    // (a tap gives them too).
    const pointers = 'PointerEvent' in window;
    const pointerDown = pointers ? 'pointerdown' : 'mousedown';
    const pointerEnter = pointers ? 'pointerenter' : 'mouseenter';

    function shown(element) {
        return element.getClientRects().length > 0;
    }

    function isTextBox(element) {
        return element && element.classList && element.classList.contains('textbox');
    }

    // ---- The game ----------------------------------------------------------------------------

    let calcaro = null; // the module, once it has loaded: presses before then are dropped

    // A press on a button or a menu item, by its id: the game decides whether it takes it.
    function press(name) {
        if (calcaro)
            calcaro.press(name);
    }

    function closeWindow(name) {
        if (calcaro)
            calcaro.closeWindow(name);
    }

    function startGame() {
        window.calcaroLms.start(); // a learning platform that opened the page, if any
        try {
            createQtAppInstance({print: () => {}, printErr: () => {}}).then((m) => {
                calcaro = m;
                loading.hidden = true;
            }, failed);
        } catch (error) {
            failed(error);
        }
    }

    function failed(error) {
        form1.hidden = true;
        loading.textContent = 'Le jeu n’a pas pu démarrer dans ce navigateur.';
        loading.hidden = false;
        console.error(error);
    }

    // ---- Scale ---------------------------------------------------------------------------------

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
        for (const dialog of dialogs) {
            const size = getComputedStyle(dialog);
            dialog.style.setProperty('--dialog-scale', String(Math.min(
                scale, w / parseFloat(size.width), h / parseFloat(size.height))));
        }
    }

    // ---- Windows -------------------------------------------------------------------------------

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
        // leaves two frames later, once the browser has told assistive technology of the new
        // focus (Firefox tells of changes once a frame, removals first). Meanwhile it is out of
        // sight and out of reach, and the game takes it for hidden.
        leave(element) {
            // A whole window keeps the focus until the next one takes it: a screen reader then
            // says what the focus has entered (a dialog, with its texts).
            if (!element.classList.contains('window'))
                this.focusNextFrom(element);
            element.setAttribute('data-leaving', '');
            // Two frames at least: a browser tells assistive technology of changes once a frame.
            // A little more for a screen reader that is busy: out of sight and out of reach, a
            // window that goes a little later harms nothing.
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

    // ---- Menus ---------------------------------------------------------------------------------

    // A menu bar as on a desktop: a menu opens by a click, by pointing while another is open,
    // and from the keyboard (the arrows, Home, End, Enter, Space, Escape, Tab); leaving the bar
    // gives the focus back to where it was before.
    function menuBar(bar) {
        const menus = Array.from(bar.querySelectorAll('.menutitle'), (title) => ({
            title,
            list: byId(title.getAttribute('aria-controls')),
        }));
        let openMenu = null;
        let focusBefore = null; // where the focus returns when the bar is left

        const itemsOf = (menu) => Array.from(menu.list.querySelectorAll('[role^="menuitem"]'))
            .filter((item) => !item.disabled);
        const neighbour = (menu, step) =>
            menus[(menus.indexOf(menu) + step + menus.length) % menus.length];

        // which: 'first', 'last' or 'none' (the menu title keeps the focus)
        function open(menu, which) {
            close();
            openMenu = menu;
            menu.list.hidden = false;
            menu.title.setAttribute('aria-expanded', 'true');
            const items = itemsOf(menu);
            const target = which === 'first' ? items[0]
                : which === 'last' ? items[items.length - 1] : null;
            (target || menu.title).focus();
        }

        function close() {
            for (const menu of menus) {
                menu.list.hidden = true;
                menu.title.setAttribute('aria-expanded', 'false');
            }
            openMenu = null;
        }

        function leave() {
            const previous = focusBefore;
            focusBefore = null;
            close();
            if (previous && previous.isConnected && shown(previous) && !previous.disabled)
                previous.focus();
            else if (bar.contains(document.activeElement))
                document.activeElement.blur();
        }

        // The focus before the bar was entered, by keyboard or by mouse (some browsers do not
        // focus a clicked button).
        function remember(element) {
            if (element && !bar.contains(element) && element !== document.body)
                focusBefore = element;
        }
        bar.addEventListener('focusin', (event) => remember(event.relatedTarget));
        bar.addEventListener(pointerDown, () => remember(document.activeElement));

        // Focus or a click anywhere else closes an open menu.
        document.addEventListener('focusin', (event) => {
            if (!bar.contains(event.target)) {
                close();
                focusBefore = null;
            }
        });
        document.addEventListener(pointerDown, (event) => {
            if (!bar.contains(event.target) && bar.contains(document.activeElement))
                leave();
            else if (openMenu && !bar.contains(event.target))
                close();
        });

        // With a menu open, pointing at another title opens that one instead.
        for (const menu of menus) {
            menu.title.addEventListener(pointerEnter, () => {
                if (openMenu && openMenu !== menu)
                    open(menu, 'none');
            });
        }

        function titleKey(menu, key, repeat) {
            switch (key) {
            case 'ArrowRight':
            case 'ArrowLeft': {
                const next = neighbour(menu, key === 'ArrowRight' ? 1 : -1);
                if (openMenu)
                    open(next, 'first');
                else
                    next.title.focus();
                return true;
            }
            case 'Home':
            case 'End':
                menus[key === 'Home' ? 0 : menus.length - 1].title.focus();
                return true;
            case 'ArrowDown':
            case 'Enter':
            case ' ':
                if (!repeat)
                    open(menu, 'first');
                return true;
            case 'ArrowUp':
                open(menu, 'last');
                return true;
            case 'Escape':
                if (openMenu)
                    close();
                else
                    leave();
                return true;
            case 'Tab':
                leave();
                return true;
            }
            return false;
        }

        function itemKey(menu, item, key) {
            const items = itemsOf(menu);
            const n = items.length;
            const at = items.indexOf(item);
            const to = {ArrowDown: at + 1, ArrowUp: at - 1 + n, Home: 0, End: n - 1}[key];
            if (to !== undefined) {
                if (n)
                    items[to % n].focus();
                return true;
            }
            switch (key) {
            case 'ArrowRight':
            case 'ArrowLeft':
                open(neighbour(menu, key === 'ArrowRight' ? 1 : -1), 'first');
                return true;
            case 'Escape':
                close();
                menu.title.focus();
                return true;
            case 'Tab':
                leave();
                return true;
            }
            return false; // Enter and Space click the item, as any button
        }

        bar.addEventListener('keydown', (event) => {
            if (event.altKey || event.ctrlKey || event.metaKey)
                return;
            const target = event.target;
            const title = menus.find((m) => m.title === target);
            const list = menus.find((m) => m.list.contains(target));
            if (title ? titleKey(title, event.key, event.repeat)
                : list ? itemKey(list, target, event.key) : false)
                event.preventDefault();
        });

        return {
            // A click on a menu title; from the keyboard (Enter, Space) it opens on its first
            // item, and closes with the bar keeping the focus.
            titleClicked(title, byKeyboard) {
                const menu = menus.find((m) => m.title === title);
                if (openMenu !== menu)
                    open(menu, byKeyboard ? 'first' : 'none');
                else if (byKeyboard)
                    close();
                else
                    leave();
            },
            leave,
            // F10, as on the desktop: to the menu bar, and back.
            toggle() {
                if (bar.contains(document.activeElement))
                    leave();
                else
                    menus[0].title.focus();
            },
        };
    }

    const menus = menuBar(byId('menubar'));

    // ---- Number pad ----------------------------------------------------------------------------

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

    // ---- What changes with the windows ----------------------------------------------------------

    function windowsChanged() {
        calcaroPage.settle(form1);
        syncAccessKeys();
        syncPad();
    }

    // ---- Clicks --------------------------------------------------------------------------------

    const closeBoxes = {'form1-close': 'form1', 'Form2-close': 'Form2', 'Form3-close': 'Form3'};

    function clicked(event) {
        const button = event.target.closest('button');
        if (!button)
            return;
        const id = button.id;
        if (pad.contains(button)) {
            padKey(button);
        } else if (id === 'goodbye-replay') {
            location.reload();
        } else if (id in closeBoxes) {
            closeWindow(closeBoxes[id]);
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

    // ---- Keys ----------------------------------------------------------------------------------

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
        if (!keyed.some((b) => b.dataset.key === letter && active.contains(b)))
            return;
        event.preventDefault();
        const button = keyed.find((b) => b.dataset.key === letter && active.contains(b) &&
                                         shown(b));
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

    // ---- How it starts -------------------------------------------------------------------------

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

    // Once the page has loaded: a screen reader that is told of the page's loading after the
    // game has put the focus on "Démarrer" starts reading from the top, and never says it.
    if (document.readyState === 'complete')
        startGame();
    else
        addEventListener('load', startGame, {once: true});
})();
