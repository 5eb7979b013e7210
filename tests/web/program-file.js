// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into the test programs run under Node: the program as a file in a folder of its own,
// which it may write to, as a program on a desktop has.
Module['preRun'] = [].concat(Module['preRun'] || [], [function () {
    FS.writeFile(thisProgram, '');
}]);
