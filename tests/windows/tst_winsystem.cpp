// SPDX-License-Identifier: GPL-3.0-or-later
// The System Information lookup on a real Windows registry, file system and process start, run under
// Wine in a throw-away prefix: each case sets the two registry values and names what must happen.
// Copied under another name, the program stands in for System Information and notes how it was started.
//   tst_winsystem [--list]
#include "shell/sysinfo.h"
#include "shell/winsystem.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

using namespace quivara::shell;
using namespace std::string_literals;

namespace {

// The real system, its starts noted; a message is only noted: nobody is there to close it.
struct RecordingSystem : WinSystem
{
    std::string log;
    bool startProgram(const std::string &path) override
    {
        const bool ok = WinSystem::startProgram(path);
        log += (ok ? "start " : "no start ") + path + "; ";
        return ok;
    }
    void showMessage(const std::string &text) override { log += (text == kSysInfoUnavailable ? "message" : text) + "; "; }
};

// `$D` stands for a directory with blanks in its name, `$P` for MSINFO32.EXE in it; `\0`s are written as they stand.
const std::string kFits = "C:\\" + std::string(1020, 'a'); // with its zero, exactly the 1024-byte buffer
const struct
{
    const char *name;
    DWORD firstType; // REG_NONE: no first value
    std::string first, second, log; // the second value is a string, or none when empty
} kCases[] = {
    {"first", REG_SZ, "$P\0"s, "", "start $P; "},
    {"first without zero", REG_SZ, "$P", "", "start $P; "},
    {"first of zero bytes", REG_SZ, "", "$D\0"s, "message; "},
    {"first fills the buffer", REG_SZ, kFits + '\0', "", "no start " + kFits + "; message; "},
    {"first longer than the buffer", REG_SZ, kFits + "a" + '\0', "$D\0"s, "start $P; "},
    {"first a number", REG_DWORD, "\x01\x10\0\0"s, "", "no start &h001001; message; "},
    {"second without zero", REG_NONE, "", "$D", "start $P; "},
    {"second holds a directory", REG_NONE, "", "$D\\Carpeta\0"s, "message; "},
    {"both keys missing", REG_NONE, "", "", "message; "},
};

std::string expand(std::string text, const std::string &directory)
{
    for (std::size_t at; (at = text.find('$')) != std::string::npos;)
        text.replace(at, 2, text[at + 1] == 'P' ? directory + "\\MSINFO32.EXE" : directory);
    return text;
}

void set(const char *key, const char *name, DWORD type, const std::string &value, const std::string &directory)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    const std::string data = expand(value, directory);
    if (type != REG_NONE)
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, name, type, data.data(), DWORD(data.size()));
}

// The command line a started copy noted, waiting up to 15 s for it; "" when it did not run.
// The note appears by a rename, and Wine can hold the renamed file for a moment before it opens for
// reading or deleting, so both are waited for.
std::string startedAs(const std::string &program)
{
    const std::string marker = program + ".started";
    std::string line;
    for (int i = 0; i < 750 && line.empty(); ++i) {
        std::ifstream note(marker, std::ios::binary);
        if (!std::getline(note, line))
            Sleep(20);
    }
    for (int i = 0; i < 750 && !DeleteFileA(marker.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND; ++i)
        Sleep(20);
    return line;
}

} // namespace

int main(int argc, char **)
{
    char buffer[MAX_PATH];
    const std::string me(buffer, GetModuleFileNameA(nullptr, buffer, MAX_PATH)), marker = me + ".started";
    if (!me.ends_with("tst_winsystem.exe")) { // a copy: note the command line aside, then rename, never half-written
        std::ofstream(marker + ".part", std::ios::binary) << GetCommandLineA();
        return MoveFileExA((marker + ".part").c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
    }
    if (argc > 1) // --list, by the prefix's set-up: Wine's first start fills the prefix
        return 0;
    GetTempPathA(MAX_PATH, buffer);
    const std::string work = std::string(buffer) + "quivara", directory = work + "\\Sistema de prueba";
    for (const std::string &d : {work, directory, directory + "\\Carpeta", directory + "\\Carpeta\\MSINFO32.EXE"})
        CreateDirectoryA(d.c_str(), nullptr);
    // Beside the program, the one a command line cut at the first blank would start instead.
    const std::string program = expand("$P", directory), decoy = work + "\\Sistema.exe";
    if (!CopyFileA(me.c_str(), program.c_str(), FALSE) || !CopyFileA(me.c_str(), decoy.c_str(), FALSE)) {
        std::printf("cannot copy %s\n", me.c_str());
        return 2;
    }
    int failed = 0;
    for (const auto &c : kCases) {
        set(kMsinfoKey, kMsinfoValue, c.firstType, c.first, directory);
        set(kLocationKey, kLocationValue, c.second.empty() ? REG_NONE : REG_SZ, c.second, directory);
        RecordingSystem system;
        startSysInfo(system);
        // What was started ran, by its exact path, with no arguments; what was not, the log says.
        const bool starts = c.log.starts_with("start");
        const std::string want = expand(c.log, directory), ran = starts ? startedAs(program) : "";
        const bool ok = system.log == want && (!starts || ran == '"' + program + '"');
        std::printf("%s %s\n", ok ? "PASS" : "FAIL", c.name);
        if (!ok)
            std::printf("  log:  %s\n  want: %s\n  ran as: %s\n", system.log.c_str(), want.c_str(), ran.c_str());
        failed += !ok;
    }
    return failed ? 1 : 0;
}
