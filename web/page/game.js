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
