// The installable site's page only: its service worker keeps the game on the tablet, so that it
// plays with the network cut after the first visit.
'use strict';

if ('serviceWorker' in navigator) {
    addEventListener('load', () => {
        navigator.serviceWorker.register('sw.js').catch(() => {
            // Played from the network, as any page: nothing the child needs is lost.
        });
    });
}
