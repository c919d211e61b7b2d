// Calcaro CM1 in the browser: what the page does by itself around the game. The game (the C++
// module) changes the elements directly; this script only hands it the child's clicks and keys,
// runs the menus and scales the windows to the browser window.
'use strict';

(function () {
    const byId = (id) => document.getElementById(id);
    const form1 = byId('form1');
    const stage = byId('stage');
    const menubar = byId('menubar');
    const goodbye = byId('goodbye');
    const dialogs = [byId('Form2'), byId('Form3')];

    // ---- The game ----------------------------------------------------------------------------

    let calcaro = null; // the module, once it has loaded: clicks before then are dropped

    function press(name) {
        if (calcaro)
            calcaro.press(name);
    }

    function closeWindow(name) {
        if (calcaro)
            calcaro.closeWindow(name);
    }

    const loading = byId('loading');
    try {
        createQtAppInstance({print: () => {}, printErr: () => {}}).then((m) => {
            calcaro = m;
            loading.hidden = true;
        }, failed);
    } catch (error) {
        failed(error);
    }

    function failed(error) {
        form1.hidden = true;
        loading.textContent = 'Le jeu n’a pas pu démarrer dans ce navigateur.';
        loading.hidden = false;
        console.error(error);
    }

    // ---- Scale ---------------------------------------------------------------------------------

    // The stage has the main window's outer size; the dialogs take the same scale in the CSS,
    // or less if they would not fit.
    function fit() {
        const root = document.documentElement.style;
        const w = innerWidth, h = innerHeight;
        root.setProperty('--scale', String(Math.min(w / stage.offsetWidth, h / stage.offsetHeight)));
        root.setProperty('--vw', String(w));
        root.setProperty('--vh', String(h));
    }
    addEventListener('resize', fit);
    fit();

    // ---- Windows -------------------------------------------------------------------------------

    // The window the keyboard works in: the open dialog, else the main window if it is shown.
    function activeWindow() {
        return dialogs.find((d) => d.open) || (form1.hidden ? null : form1);
    }

    function shown(element) {
        return element.getClientRects().length > 0;
    }

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

    let goodbyeShown = false;
    function windowsChanged() {
        syncAccessKeys();
        // The page cannot close itself: the goodbye screen's one button gets the focus.
        if (goodbyeShown !== !goodbye.hidden) {
            goodbyeShown = !goodbye.hidden;
            if (goodbyeShown)
                byId('goodbye-replay').focus();
        }
    }
    new MutationObserver(windowsChanged).observe(document.body, {
        subtree: true,
        attributes: true,
        attributeFilter: ['hidden', 'open'],
    });
    windowsChanged();

    // Escape does nothing in the dialogs, as on the desktop, where they have no cancel button:
    // the browser must not close a dialog behind the game's back either.
    for (const dialog of dialogs) {
        dialog.addEventListener('cancel', (event) => event.preventDefault());
    }

    // ---- Clicks --------------------------------------------------------------------------------

    const closeBoxes = {'form1-close': 'form1', 'Form2-close': 'Form2', 'Form3-close': 'Form3'};

    document.addEventListener('click', (event) => {
        const button = event.target.closest('button');
        if (!button)
            return;
        const id = button.id;
        if (id === 'goodbye-replay') {
            location.reload();
        } else if (id in closeBoxes) {
            closeWindow(closeBoxes[id]);
        } else if (button.classList.contains('menutitle')) {
            const menu = menus.find((m) => m.title === button);
            if (openMenu !== menu) {
                openMenuOf(menu, event.detail === 0 ? 'first' : 'none');
            } else if (event.detail === 0) {
                closeMenus(); // from the keyboard: the menu bar keeps the focus
            } else {
                leaveMenuBar();
            }
        } else if (button.getAttribute('role') === 'menuitemradio') {
            leaveMenuBar();
            press(id);
        } else if (id) {
            press(id);
        }
    });

    // A click on a window's ground, a label or a close box leaves the focus where it is, as on
    // the desktop: the answer box keeps it while the child clicks around.
    document.addEventListener('mousedown', (event) => {
        const control = event.target.closest('button, input');
        if (!control || control.classList.contains('close'))
            event.preventDefault();
    });

    // ---- Menus ---------------------------------------------------------------------------------

    const menus = Array.from(menubar.querySelectorAll('.menutitle'), (title) => ({
        title,
        list: byId(title.getAttribute('aria-controls')),
    }));
    let openMenu = null;
    let focusBeforeMenus = null; // where the focus returns when the menu bar is left

    function itemsOf(menu) {
        return Array.from(menu.list.querySelectorAll('[role="menuitemradio"]'))
            .filter((item) => !item.disabled);
    }

    // which: 'first', 'last' or 'none' (the menu title keeps the focus)
    function openMenuOf(menu, which) {
        closeMenus();
        openMenu = menu;
        menu.list.hidden = false;
        menu.title.setAttribute('aria-expanded', 'true');
        const items = itemsOf(menu);
        const target = which === 'first' ? items[0] : which === 'last' ? items[items.length - 1]
                                                                      : null;
        (target || menu.title).focus();
    }

    function closeMenus() {
        for (const menu of menus) {
            menu.list.hidden = true;
            menu.title.setAttribute('aria-expanded', 'false');
        }
        openMenu = null;
    }

    function leaveMenuBar() {
        const previous = focusBeforeMenus;
        focusBeforeMenus = null;
        closeMenus();
        if (previous && previous.isConnected && shown(previous) && !previous.disabled)
            previous.focus();
        else if (menubar.contains(document.activeElement))
            document.activeElement.blur();
    }

    function enterMenuBar() {
        menus[0].title.focus();
    }

    // The focus before the menu bar was entered, by keyboard or by mouse (some browsers do not
    // focus a clicked button).
    function rememberFocus(element) {
        if (element && !menubar.contains(element) && element !== document.body)
            focusBeforeMenus = element;
    }
    menubar.addEventListener('focusin', (event) => rememberFocus(event.relatedTarget));
    menubar.addEventListener('pointerdown', () => rememberFocus(document.activeElement));

    // Focus or a click anywhere else closes an open menu.
    document.addEventListener('focusin', (event) => {
        if (!menubar.contains(event.target)) {
            closeMenus();
            focusBeforeMenus = null;
        }
    });
    document.addEventListener('pointerdown', (event) => {
        if (!menubar.contains(event.target) && menubar.contains(document.activeElement))
            leaveMenuBar();
        else if (openMenu && !menubar.contains(event.target))
            closeMenus();
    });

    // With a menu open, pointing at the other title opens that one instead.
    for (const menu of menus) {
        menu.title.addEventListener('pointerenter', () => {
            if (openMenu && openMenu !== menu)
                openMenuOf(menu, 'none');
        });
    }

    function neighbour(menu, step) {
        const i = menus.indexOf(menu);
        return menus[(i + step + menus.length) % menus.length];
    }

    menubar.addEventListener('keydown', (event) => {
        if (event.altKey || event.ctrlKey || event.metaKey)
            return;
        const target = event.target;
        const titleMenu = menus.find((m) => m.title === target);
        const itemMenu = menus.find((m) => m.list.contains(target));
        let handled = true;
        if (titleMenu) {
            switch (event.key) {
            case 'ArrowRight':
            case 'ArrowLeft': {
                const next = neighbour(titleMenu, event.key === 'ArrowRight' ? 1 : -1);
                if (openMenu)
                    openMenuOf(next, 'first');
                else
                    next.title.focus();
                break;
            }
            case 'Home':
                menus[0].title.focus();
                break;
            case 'End':
                menus[menus.length - 1].title.focus();
                break;
            case 'ArrowDown':
            case 'Enter':
            case ' ':
                if (!event.repeat)
                    openMenuOf(titleMenu, 'first');
                break;
            case 'ArrowUp':
                openMenuOf(titleMenu, 'last');
                break;
            case 'Escape':
                if (openMenu)
                    closeMenus();
                else
                    leaveMenuBar();
                break;
            case 'Tab':
                leaveMenuBar();
                break;
            default:
                handled = false;
            }
        } else if (itemMenu) {
            const items = itemsOf(itemMenu);
            const at = items.indexOf(target);
            switch (event.key) {
            case 'ArrowDown':
                if (items.length)
                    items[(at + 1) % items.length].focus();
                break;
            case 'ArrowUp':
                if (items.length)
                    items[(at - 1 + items.length) % items.length].focus();
                break;
            case 'Home':
                if (items.length)
                    items[0].focus();
                break;
            case 'End':
                if (items.length)
                    items[items.length - 1].focus();
                break;
            case 'ArrowRight':
            case 'ArrowLeft':
                openMenuOf(neighbour(itemMenu, event.key === 'ArrowRight' ? 1 : -1), 'first');
                break;
            case 'Escape':
                closeMenus();
                itemMenu.title.focus();
                break;
            case 'Tab':
                leaveMenuBar();
                break;
            default:
                handled = false; // Enter and Space click the item, as any button
            }
        } else {
            handled = false;
        }
        if (handled)
            event.preventDefault();
    });

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

    // The controls that Tab visits in a window, in order: positive tabindex values first (the
    // main window's desktop order), then the others as they come.
    function tabSequence(win) {
        const controls = Array.from(win.querySelectorAll('button, input')).filter(
            (c) => c.tabIndex >= 0 && !c.disabled && shown(c));
        const rank = (c) => (c.tabIndex > 0 ? c.tabIndex : Infinity);
        return controls.sort((a, b) => rank(a) - rank(b)); // stable: ties keep their order
    }

    function isTextBox(element) {
        return element && element.classList && element.classList.contains('textbox');
    }

    document.addEventListener('keydown', (event) => {
        // Handled already: by the menus above, or by a browser that ran an access key itself.
        if (event.defaultPrevented)
            return;
        const active = activeWindow();
        const target = event.target;

        // Alt+letter presses the active window's button of that access key, in every browser.
        if (event.altKey && !event.ctrlKey && !event.metaKey) {
            const letter = letterOf(event);
            if (!letter || !active)
                return;
            const button = keyed.find((b) => b.dataset.key === letter && active.contains(b) &&
                                             shown(b));
            if (!button)
                return;
            event.preventDefault();
            if (event.repeat || button.disabled)
                return;
            button.focus();
            button.click();
            return;
        }
        if (event.ctrlKey || event.metaKey)
            return;

        if (event.key === 'Tab' && active && active.contains(target)) {
            // Tab goes round the window's controls, as on the desktop, rather than leaving for
            // the browser's own bar.
            const sequence = tabSequence(active);
            const at = sequence.indexOf(target);
            const last = sequence.length - 1;
            if (at >= 0 && at === (event.shiftKey ? 0 : last)) {
                event.preventDefault();
                sequence[event.shiftKey ? last : 0].focus();
            }
            return;
        }

        if (event.key === 'F10') {
            // As on the desktop, F10 goes to the menu bar and back.
            if (active !== form1)
                return;
            event.preventDefault();
            if (menubar.contains(document.activeElement))
                leaveMenuBar();
            else
                enterMenuBar();
            return;
        }

        if (event.key === 'Escape') {
            if (dialogs.some((d) => d.open))
                event.preventDefault();
            return;
        }

        if (event.key === 'Enter' && !event.altKey) {
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
                const validate = byId('Command3');
                if (!validate.disabled && shown(validate))
                    press('Command3');
            }
            return;
        }

        if (event.key === ' ' && event.repeat && target.tagName === 'BUTTON')
            event.preventDefault();
    });
})();
