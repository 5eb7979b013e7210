// SPDX-License-Identifier: GPL-3.0-or-later
// Runs in the page before the program starts. Sets up the files it finds: the program in a folder
// of its own that cannot be written (as an installed game), and the player's home folder, where
// the names are kept, stored in the browser (IndexedDB) so that it lasts across reloads and
// restarts. Tells the page when the program has ended ("Salir"), once the names it saved on the way
// out are in the browser's storage, so that a reload right after it finds them.
Module['thisProgram'] = '/usr/games/quivara';
Module['preRun'] = [].concat(Module['preRun'] || [], [function () {
    FS.mkdirTree('/usr/games');
    FS.writeFile('/usr/games/quivara', '', { mode: 0o555 });
    FS.chmod('/usr/games', 0o555);
    FS.mount(IDBFS, {}, '/home/web_user');
    addRunDependency('quivara-home');
    FS.syncfs(true, function (error) {
        if (error)
            err('quivara: the names kept in the browser could not be read: ' + error);
        removeRunDependency('quivara-home');
    });
}]);
Module['onExit'] = function (status) {
    FS.syncfs(false, function () {
        window.dispatchEvent(new CustomEvent('quivara-fin', { detail: status }));
    });
};
