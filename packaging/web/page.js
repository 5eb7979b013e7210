// SPDX-License-Identifier: GPL-3.0-or-later
// Runs in the page before the program starts. Sets up the files it finds: the program in a folder
// of its own that cannot be written (as an installed game), and the player's home folder, where
// the names are kept, stored in the browser so that it lasts across reloads and restarts.
//
// The home folder lives in memory and is kept in IndexedDB, which is written in the background:
// a page that goes away meanwhile (its tab closed) would lose what was saved last. So each keeping
// first copies the folder into localStorage, which is written at once, and that copy is dropped
// once IndexedDB has the same; a copy found at the start is newer than IndexedDB and is put back.
//
// Tells the page when the program has ended ("Salir"), once the names it saved on the way out
// are kept, so that a reload right after it finds them; when the browser refuses to keep them,
// tells the page that too, once.
Module['thisProgram'] = '/usr/games/quivara';
const quivaraHome = '/home/web_user';
const quivaraCopy = 'quivara: ' + quivaraHome; // the localStorage item

// Every file under the home folder, path: its bytes as a string of char codes 0-255.
Module['quivaraHomeFiles'] = function () {
    const files = {};
    (function walk(folder) {
        for (const name of FS.readdir(folder)) {
            const path = folder + '/' + name;
            if (name === '.' || name === '..')
                continue;
            if (FS.isDir(FS.stat(path).mode))
                walk(path);
            else
                files[path] = String.fromCharCode.apply(null, FS.readFile(path));
        }
    })(quivaraHome);
    return files;
};

let quivaraRefusedSaid = false;
function quivaraRefused(why) {
    err('quivara: the browser keeps no names: ' + why);
    if (!quivaraRefusedSaid)
        window.dispatchEvent(new CustomEvent('quivara-sin-almacen'));
    quivaraRefusedSaid = true;
}

// Writes the home folder to IndexedDB; `copy` is the localStorage copy it stands for, if any.
function quivaraSync(copy, done) {
    FS.syncfs(false, function (error) {
        if (error && copy === null)
            quivaraRefused(error);
        if (!error && copy !== null) {
            try {
                if (localStorage.getItem(quivaraCopy) === copy)
                    localStorage.removeItem(quivaraCopy);
            } catch (e) { /* the copy stays, and is put back at the next start */ }
        }
        if (done)
            done();
    });
}

// After the names were saved: keeps the home folder for the next run.
Module['quivaraKeep'] = function (done) {
    let copy = JSON.stringify(Module['quivaraHomeFiles']());
    try {
        localStorage.setItem(quivaraCopy, copy);
    } catch (e) {
        copy = null;
    }
    quivaraSync(copy, done);
};

Module['preRun'] = [].concat(Module['preRun'] || [], [function () {
    FS.mkdirTree('/usr/games');
    FS.writeFile('/usr/games/quivara', '', { mode: 0o555 });
    FS.chmod('/usr/games', 0o555);
    FS.mount(IDBFS, {}, quivaraHome);
    addRunDependency('quivara-home');
    FS.syncfs(true, function (error) {
        let copy = null;
        try {
            copy = localStorage.getItem(quivaraCopy);
            localStorage.setItem(quivaraCopy + ' (probe)', '');
            localStorage.removeItem(quivaraCopy + ' (probe)');
        } catch (e) {
            if (error)
                quivaraRefused(error);
        }
        if (copy !== null) {
            const files = JSON.parse(copy);
            for (const path in files) {
                FS.mkdirTree(path.substring(0, path.lastIndexOf('/')));
                FS.writeFile(path, Uint8Array.from(files[path], (c) => c.charCodeAt(0)));
            }
            quivaraSync(copy);
        }
        removeRunDependency('quivara-home');
    });
}]);

// The page is left (its tab closed or hidden, a reload, another address): the program saves what
// closing its windows would save, once for each time the page is left.
let quivaraLeft = false;
function quivaraLeave() {
    if (!quivaraLeft && runtimeInitialized && !ABORT && Module['_quivara_page_left'])
        Module['_quivara_page_left']();
    quivaraLeft = true;
}
addEventListener('pagehide', quivaraLeave);
addEventListener('pageshow', () => { quivaraLeft = false; });
document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden')
        quivaraLeave();
    else
        quivaraLeft = false;
});

Module['onExit'] = function (status) {
    quivaraLeft = true;
    FS.syncfs(false, function () {
        window.dispatchEvent(new CustomEvent('quivara-fin', { detail: status }));
    });
};
