// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a test program built for the browser under Node, as CTest's emulator: emscripten makes
// each program a factory that starts it, not a script that runs it.
//   node run-node.js program.js [arguments...]
'use strict';
const fs = require('fs');
const path = require('path');
const [program, ...args] = process.argv.slice(2);
const start = require(path.resolve(program));
start({
    arguments: args,
    // The program's own folder, as a desktop program's: one the program may write to.
    thisProgram: '/tmp/' + path.basename(program, '.js'),
    // This emscripten would fetch the .wasm with Node's fetch, which takes no file names.
    wasmBinary: fs.readFileSync(program.replace(/\.js$/, '.wasm')),
    // A failing test program ends with its own status; one that returns 0 simply ends.
    onExit: (status) => { process.exitCode = status; },
    quit: (status) => { process.exit(status); },
    onAbort: (reason) => {
        console.error(`${program}: aborted: ${reason}`);
        process.exit(134);
    },
});
