// The System Information lookup on a real Windows registry, file system and process start, run under
// Wine in a throw-away prefix: each case sets the two registry values and names what must happen.
// Copied under another name, the program stands in for System Information and notes how it was started.
//   tst_winsystem [--list]
#include "shell/sysinfo.h"
#include "shell/winsystem.h"

#include <windows.h>

#include <cstdio>
#include <string>

using namespace quivara::shell;

namespace {

// The real system, its starts noted; a message is only noted: nobody is there to close it.
struct RecordingSystem : WinSystem
{
    std::string log, started;
    bool startProgram(const std::string &path) override
    {
        const bool ok = WinSystem::startProgram(path);
        log += (ok ? "start " : "no start ") + path + "; ";
        started = ok ? path : "";
        return ok;
    }
    void showMessage(const std::string &text) override { log += (text == kSysInfoUnavailable ? "message" : text) + "; "; }
};

// A registry value, none when `type` is REG_NONE, with `extra` bytes counted beyond its data (1: the
// terminating zero, -1: its last byte left out). `$D` stands for a directory with blanks in its name,
// `$P` for MSINFO32.EXE in it.
struct Value
{
    DWORD type = REG_NONE;
    std::string data;
    int extra = 0;
};

const std::string kFits = "C:\\" + std::string(1020, 'a'); // with its zero, exactly the 1024-byte buffer
const struct
{
    const char *name;
    Value first, second;
    std::string log;
} kCases[] = {
    {"first", {REG_SZ, "$P", 1}, {}, "start $P; "},
    {"first without zero", {REG_SZ, "$PX", -1}, {}, "start $P; "},
    {"first of zero bytes", {REG_SZ, "", 0}, {REG_SZ, "$D", 1}, "message; "},
    {"first fills the buffer", {REG_SZ, kFits, 1}, {}, "no start " + kFits + "; message; "},
    {"first longer than the buffer", {REG_SZ, kFits + "a", 1}, {REG_SZ, "$D", 1}, "start $P; "},
    {"first a number", {REG_DWORD, std::string("\x01\x10\0\0", 4), 0}, {}, "no start &h001001; message; "},
    {"second without zero", {}, {REG_SZ, "$DX", -1}, "start $P; "},
    {"second holds a directory", {}, {REG_SZ, "$D\\Carpeta", 1}, "message; "},
    {"both keys missing", {}, {}, "message; "},
};

std::string expand(std::string text, const std::string &directory)
{
    for (std::size_t at; (at = text.find('$')) != std::string::npos;)
        text.replace(at, 2, text[at + 1] == 'P' ? directory + "\\MSINFO32.EXE" : directory);
    return text;
}

void set(const char *key, const char *name, const Value &value, const std::string &directory)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    const std::string data = expand(value.data, directory);
    HKEY handle = nullptr;
    if (value.type != REG_NONE && RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                  &handle, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(handle, name, 0, value.type, reinterpret_cast<const BYTE *>(data.c_str()), DWORD(data.size() + value.extra));
        RegCloseKey(handle);
    }
}

// The command line a started copy noted (waiting up to 15 s for it when asked); "" when it did not run.
std::string startedAs(const std::string &program, bool wait)
{
    const std::string marker = program + ".started";
    for (int i = 0; wait && i < 750 && GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(20);
    std::FILE *file = std::fopen(marker.c_str(), "rb");
    char line[2048] = {};
    if (file && std::fgets(line, sizeof line, file) && std::fclose(file) == 0)
        DeleteFileA(marker.c_str());
    return line;
}

} // namespace

int main(int argc, char **)
{
    char buffer[MAX_PATH];
    const std::string me(buffer, GetModuleFileNameA(nullptr, buffer, MAX_PATH)), marker = me + ".started";
    if (!me.ends_with("tst_winsystem.exe")) { // a copy: note the command line aside, then rename, never half-written
        std::FILE *file = std::fopen((marker + ".part").c_str(), "wb");
        const bool noted = file && std::fputs(GetCommandLineA(), file) >= 0 && std::fclose(file) == 0;
        return noted && MoveFileExA((marker + ".part").c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
    }
    if (argc > 1) // --list, by the prefix's set-up: Wine's first start fills the prefix
        return 0;
    GetTempPathA(MAX_PATH, buffer);
    const std::string work = std::string(buffer) + "quivara", directory = work + "\\Sistema de prueba";
    for (const std::string &d : {work, directory, directory + "\\Carpeta", directory + "\\Carpeta\\MSINFO32.EXE"})
        CreateDirectoryA(d.c_str(), nullptr);
    // The program a command line cut at the first blank would start instead.
    const std::string wrong = work + "\\Sistema.exe";
    if (!CopyFileA(me.c_str(), expand("$P", directory).c_str(), FALSE) || !CopyFileA(me.c_str(), wrong.c_str(), FALSE))
    {
        std::printf("cannot copy %s\n", me.c_str());
        return 2;
    }
    int failed = 0;
    for (const auto &c : kCases) {
        set(kMsinfoKey, kMsinfoValue, c.first, directory);
        set(kLocationKey, kLocationValue, c.second, directory);
        RecordingSystem system;
        startSysInfo(system);
        // What was started ran, by its exact path, with no arguments; nothing ran in its place.
        const std::string want = expand(c.log, directory);
        const std::string ran = system.started.empty() ? "" : startedAs(system.started, true), instead = startedAs(wrong, false);
        const bool ok = system.log == want && instead.empty() && (system.started.empty() || ran == '"' + system.started + '"');
        std::printf("%s %s\n", ok ? "PASS" : "FAIL", c.name);
        if (!ok)
            std::printf("  log: %s\n  want: %s\n  ran as: %s\n  instead: %s\n", system.log.c_str(), want.c_str(), ran.c_str(),
                        instead.c_str());
        failed += !ok;
    }
    return failed ? 1 : 0;
}
