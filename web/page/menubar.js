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
