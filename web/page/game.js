// The game itself, the C++ module: how it starts, and the child's presses handed to it by the id
// of what was pressed.
'use strict';

const loading = byId('loading');

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

// After the next frame: its callback runs before the frame is drawn, a task set from there after.
function afterFrame() {
    return new Promise((done) => requestAnimationFrame(() => setTimeout(done)));
}

// The module comes in the page as text (a script the browser does not run), read before these
// scripts, and is made once the window is on screen: read, compiled and set up, it holds the
// browser's only thread for most of a second on an old tablet, and nothing could be drawn
// meanwhile. The policy lets it run by its hash, wherever it is put in the page. The game starts
// on it at once: "Démarrer" takes a press from then on.
const made = afterFrame().then(makeModule).then((m) => {
    window.calcaroLms.start(); // a learning platform that opened the page, if any
    calcaro = m;
    m.start();
});
made.catch(failed);

// The quit picture, the last of the page, once the game has started.
Promise.all([made, new Promise((read) => document.addEventListener('DOMContentLoaded', read))])
    .then(() => {
        const picture = byId('Picture1');
        const source = byId('pictures').content.querySelector('img');
        picture.srcset = source.srcset;
        picture.src = source.src;
    }, () => {});

function makeModule() {
    const text = byId('module');
    const script = document.createElement('script');
    script.textContent = text.textContent;
    text.remove();
    document.body.appendChild(script);
    return createQtAppInstance({print: () => {}, printErr: () => {},
        // The module is JavaScript: it reads no binary, and must not go looking for one.
        wasmBinary: new Uint8Array(0)});
}

// The focus goes to "Démarrer" once the page has loaded and been drawn, unless the child has
// already pressed it: a screen reader told of the page's loading after the focus went there would
// start reading from the top, and never say it. (Where the focus is then says nothing: a screen
// reader may have put it somewhere as it read the page.)
function focusGame() {
    afterFrame().then(() => made).then(() => {
        const start = byId('Command1');
        if (!start.hidden && !start.disabled)
            start.focus();
    }, () => {}); // a game that could not start says so in the page (failed)
}
addEventListener('load', focusGame, {once: true});

function failed(error) {
    form1.hidden = true;
    loading.textContent = 'Le jeu n’a pas pu démarrer dans ce navigateur.';
    loading.hidden = false;
    console.error(error);
}
