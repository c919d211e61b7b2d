// The main window's menu bar, run as a desktop runs one.
'use strict';

// Pointer events came to Safari with 13; a mouse's events stand in for them before that
// (a tap gives them too).
const pointers = 'PointerEvent' in window;
const pointerDown = pointers ? 'pointerdown' : 'mousedown';
const pointerEnter = pointers ? 'pointerenter' : 'mouseenter';

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
        if (key === 'Home' || key === 'End')
            menus[key === 'Home' ? 0 : menus.length - 1].title.focus();
        else if (key === 'ArrowUp')
            open(menu, 'last');
        else if (key === 'ArrowDown' || key === 'Enter' || key === ' ') {
            if (!repeat)
                open(menu, 'first');
        } else
            return false;
        return true;
    }

    function itemKey(menu, item, key) {
        const items = itemsOf(menu);
        const n = items.length;
        const at = items.indexOf(item);
        const to = {ArrowDown: at + 1, ArrowUp: at - 1 + n, Home: 0, End: n - 1}[key];
        if (to === undefined)
            return false; // Enter and Space click the item, as any button
        if (n)
            items[to % n].focus();
        return true;
    }

    // A key on a menu's title or on one of its items.
    function menuKey(menu, target, {key, repeat}) {
        const step = {ArrowRight: 1, ArrowLeft: -1}[key];
        if (step) {
            const next = neighbour(menu, step);
            if (openMenu)
                open(next, 'first');
            else
                next.title.focus();
        } else if (key === 'Escape' && openMenu) {
            close();
            menu.title.focus();
        } else if (key === 'Escape' || key === 'Tab') {
            leave();
        } else {
            return target === menu.title ? titleKey(menu, key, repeat) : itemKey(menu, target, key);
        }
        return true;
    }

    bar.addEventListener('keydown', (event) => {
        const menu = menus.find((m) => m.title === event.target || m.list.contains(event.target));
        if (menu && !event.altKey && !event.ctrlKey && !event.metaKey &&
            menuKey(menu, event.target, event))
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
