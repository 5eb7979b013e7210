// The System Information lookup on a real Windows registry, file system and process start (run under Wine).
// Each case sets up its own values under HKEY_LOCAL_MACHINE and removes them again.
//   tst_winsystem CASE     runs one case      tst_winsystem --list   names the cases
#include "shell/sysinfo.h"
#include "shell/winsystem.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

using namespace quivara::shell;

namespace {

struct Failure
{
};

std::string show(const std::string &s) { return '"' + s + '"'; }

std::string show(const std::vector<std::string> &v)
{
    std::string out = "{";
    for (const std::string &s : v)
        out += (out.size() > 1 ? ", " : "") + show(s);
    return out + "}";
}

template <typename Number> std::enable_if_t<std::is_integral_v<Number>, std::string> show(Number n)
{
    return std::to_string(n);
}

#define CHECK(cond)                                                                                                   \
    do {                                                                                                              \
        if (!(cond)) {                                                                                                \
            std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond);                                   \
            throw Failure{};                                                                                          \
        }                                                                                                             \
    } while (0)

#define CHECK_EQ(actual, expected)                                                                                    \
    do {                                                                                                              \
        const auto &a_ = (actual);                                                                                    \
        const auto &e_ = (expected);                                                                                  \
        if (!(a_ == e_)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: %s\n   is: %s\n  not: %s\n", __FILE__, __LINE__, #actual, show(a_).c_str(),  \
                         show(e_).c_str());                                                                           \
            throw Failure{};                                                                                          \
        }                                                                                                             \
    } while (0)

using Strings = std::vector<std::string>;

// The real system, except that a message is noted instead of shown: nobody is there to close it.
struct RecordingSystem : WinSystem
{
    Strings fileTests, started, messages;

    bool fileExists(const std::string &path) override
    {
        fileTests.push_back(path);
        return WinSystem::fileExists(path);
    }
    bool startProgram(const std::string &path) override
    {
        const bool ok = WinSystem::startProgram(path);
        if (ok)
            started.push_back(path);
        return ok;
    }
    void showMessage(const std::string &text) override { messages.push_back(text); }
};

void removeValue(const char *key, const char *name)
{
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(h, name);
    RegCloseKey(h);
}

// A value under HKEY_LOCAL_MACHINE for the length of a case; its key goes too when the case made it.
class ScopedValue
{
public:
    ScopedValue(const char *key, const char *name, DWORD type, const void *data, DWORD size)
        : m_key(key), m_name(name)
    {
        HKEY h = nullptr;
        DWORD disposition = 0;
        CHECK(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, &disposition)
              == ERROR_SUCCESS);
        m_createdKey = disposition == REG_CREATED_NEW_KEY;
        const LONG status = RegSetValueExA(h, name, 0, type, static_cast<const BYTE *>(data), size);
        RegCloseKey(h);
        CHECK(status == ERROR_SUCCESS);
    }
    ScopedValue(const char *key, const char *name, const std::string &text, bool withZero)
        : ScopedValue(key, name, REG_SZ, text.c_str(), DWORD(text.size() + (withZero ? 1 : 0)))
    {
    }
    ~ScopedValue()
    {
        removeValue(m_key, m_name);
        if (m_createdKey)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_key);
    }
    ScopedValue(const ScopedValue &) = delete;
    ScopedValue &operator=(const ScopedValue &) = delete;

private:
    const char *m_key;
    const char *m_name;
    bool m_createdKey = false;
};

// A key that must not exist for the length of a case; an empty key that was there comes back after.
class ScopedAbsentKey
{
public:
    explicit ScopedAbsentKey(const char *key) : m_key(key)
    {
        HKEY h = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
            return;
        DWORD subkeys = 0, values = 0;
        RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(h);
        CHECK(subkeys == 0 && values == 0); // only an empty key is taken away and put back
        CHECK(RegDeleteKeyA(HKEY_LOCAL_MACHINE, key) == ERROR_SUCCESS);
        m_restore = true;
    }
    ~ScopedAbsentKey()
    {
        HKEY h = nullptr;
        if (m_restore
            && RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_key, 0, nullptr, 0, KEY_READ, nullptr, &h, nullptr)
                == ERROR_SUCCESS)
            RegCloseKey(h);
    }
    ScopedAbsentKey(const ScopedAbsentKey &) = delete;
    ScopedAbsentKey &operator=(const ScopedAbsentKey &) = delete;

private:
    const char *m_key;
    bool m_restore = false;
};

bool exists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Polls for a file a started program writes; false after 15 s.
bool waitForFile(const std::string &path)
{
    for (int i = 0; i < 750; ++i) {
        if (exists(path))
            return true;
        Sleep(20);
    }
    return false;
}

std::string readFile(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    char buffer[4096];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

std::string directoryOf(const std::string &path) { return path.substr(0, path.find_last_of('\\')); }

std::string ownDirectory()
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    CHECK(length > 0 && length < MAX_PATH);
    return directoryOf(self);
}

void removeTree(const std::string &path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + '\\' + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                // A probe may still be on its way out.
                for (int i = 0; i < 100 && !DeleteFileA(child.c_str()); ++i)
                    Sleep(20);
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

// A fresh directory in the temporary folder for one case, removed with everything in it afterwards.
class WorkDir
{
public:
    explicit WorkDir(const std::string &name)
    {
        char temp[MAX_PATH];
        CHECK(GetTempPathA(MAX_PATH, temp) > 0);
        m_path = std::string(temp) + "quivara-" + name + "-" + std::to_string(GetCurrentProcessId());
        removeTree(m_path);
        CHECK(CreateDirectoryA(m_path.c_str(), nullptr));
    }
    ~WorkDir() { removeTree(m_path); }
    WorkDir(const WorkDir &) = delete;
    WorkDir &operator=(const WorkDir &) = delete;

    std::string path(const std::string &relative) const { return m_path + '\\' + relative; }

    std::string makeDir(const std::string &relative) const
    {
        CHECK(CreateDirectoryA(path(relative).c_str(), nullptr));
        return path(relative);
    }

    // A copy of the probe program; it leaves "<its path>.started" when it runs.
    std::string addProbe(const std::string &relative) const
    {
        CHECK(CopyFileA((ownDirectory() + "\\startprobe.exe").c_str(), path(relative).c_str(), FALSE));
        return path(relative);
    }

private:
    std::string m_path;
};

// "<work>\Sistema de prueba\MSINFO32.EXE", and the program a command line cut
// at the first blank would run instead, "<work>\Sistema.exe".
struct ProgramWithBlanks
{
    std::string directory, program, wrongProgram;

    explicit ProgramWithBlanks(const WorkDir &work)
        : directory(work.makeDir("Sistema de prueba")), program(work.addProbe("Sistema de prueba\\MSINFO32.EXE")),
          wrongProgram(work.addProbe("Sistema.exe"))
    {
    }

    // The program ran with no arguments, and nothing else ran in its place.
    void checkStarted() const
    {
        CHECK(waitForFile(program + ".started"));
        CHECK_EQ(readFile(program + ".started"), '"' + program + '"');
        CHECK(!exists(wrongProgram + ".started"));
    }
};

// The case starts from a registry without either value.
void clearValues()
{
    removeValue(kMsinfoKey, kMsinfoValue);
    removeValue(kLocationKey, kLocationValue);
}

void firstValueStartedWithoutSecondKey()
{
    ScopedAbsentKey noLocation(kLocationKey);
    WorkDir work("first");
    ProgramWithBlanks target(work);
    ScopedValue path(kMsinfoKey, kMsinfoValue, target.program, true);

    RecordingSystem system;
    startSysInfo(system);
    CHECK_EQ(system.messages, Strings{});
    CHECK_EQ(system.fileTests, Strings{}); // the first value is started unchecked
    CHECK_EQ(system.started, Strings{target.program});
    target.checkStarted();
}

void secondValueJoinedAndStarted()
{
    WorkDir work("second");
    ProgramWithBlanks target(work);
    ScopedValue location(kLocationKey, kLocationValue, target.directory, true);

    RecordingSystem system;
    startSysInfo(system);
    const std::string joined = target.directory + "\\MSINFO32.EXE";
    CHECK_EQ(system.fileTests, Strings{joined});
    CHECK_EQ(system.started, Strings{joined});
    CHECK_EQ(system.messages, Strings{});
    target.checkStarted();
}

void secondDirectoryWithoutProgram()
{
    WorkDir work("noprogram");
    work.addProbe("MSINFO32.EXE.bak");
    const std::string empty = work.makeDir("Vacio");
    const std::string folder = work.makeDir("Carpeta");
    work.makeDir("Carpeta\\MSINFO32.EXE"); // a directory by the program's name is no program

    for (const std::string &directory : {empty, folder}) {
        ScopedValue location(kLocationKey, kLocationValue, directory, true);
        RecordingSystem system;
        startSysInfo(system);
        CHECK_EQ(system.fileTests, Strings{directory + "\\MSINFO32.EXE"});
        CHECK_EQ(system.started, Strings{});
        CHECK_EQ(system.messages, Strings{kSysInfoUnavailable});
    }
}

void stringWithTerminatingZero()
{
    WorkDir work("withzero");
    ProgramWithBlanks target(work);
    ScopedValue path(kMsinfoKey, kMsinfoValue, target.program, true);

    RecordingSystem system;
    const RegistryRead read = system.readValue(RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, kValueBufferSize);
    CHECK(read.status == RegistryRead::Status::Read);
    CHECK_EQ(read.type, DWORD(REG_SZ));
    CHECK_EQ(read.size, DWORD(target.program.size() + 1));
    std::string value = "old";
    CHECK(getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, value));
    CHECK_EQ(value, target.program);
}

void stringWithoutTerminatingZero()
{
    WorkDir work("withoutzero");
    ProgramWithBlanks target(work);
    // The byte after the counted ones must not be a zero, or the registry counts it in.
    const std::string stored = target.program + "X";
    ScopedValue path(kMsinfoKey, kMsinfoValue, REG_SZ, stored.c_str(), DWORD(target.program.size()));

    RecordingSystem system;
    const RegistryRead read = system.readValue(RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, kValueBufferSize);
    CHECK(read.status == RegistryRead::Status::Read);
    CHECK_EQ(read.size, DWORD(target.program.size()));
    std::string value;
    CHECK(getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, value));
    CHECK_EQ(value, target.program);

    startSysInfo(system);
    CHECK_EQ(system.started, Strings{target.program});
    target.checkStarted();
}

void zeroByteValue()
{
    WorkDir work("zerobytes");
    ProgramWithBlanks target(work);
    ScopedValue path(kMsinfoKey, kMsinfoValue, REG_SZ, "", 0);
    ScopedValue location(kLocationKey, kLocationValue, target.directory, true);

    RecordingSystem system;
    const RegistryRead read = system.readValue(RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, kValueBufferSize);
    CHECK(read.status == RegistryRead::Status::Read);
    CHECK_EQ(read.size, DWORD(0));
    std::string value = "old";
    bool thrown = false;
    try {
        getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, value);
    } catch (const EmptyValueError &) {
        thrown = true;
    }
    CHECK(thrown);

    // Straight to the message: the second value, which would work, is not tried.
    startSysInfo(system);
    CHECK_EQ(system.fileTests, Strings{});
    CHECK_EQ(system.started, Strings{});
    CHECK_EQ(system.messages, Strings{kSysInfoUnavailable});
}

void valueLongerThanBuffer()
{
    WorkDir work("toolong");
    ProgramWithBlanks target(work);

    RecordingSystem system;
    {
        // 1023 characters and the terminating zero fill the buffer exactly.
        const std::string fits = "C:\\" + std::string(1020, 'a');
        ScopedValue path(kMsinfoKey, kMsinfoValue, fits, true);
        std::string value;
        CHECK(getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, value));
        CHECK_EQ(value, fits);
    }
    const std::string tooLong = "C:\\" + std::string(1100, 'a');
    ScopedValue path(kMsinfoKey, kMsinfoValue, tooLong, true);
    ScopedValue location(kLocationKey, kLocationValue, target.directory, true);
    CHECK(system.readValue(RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, kValueBufferSize).status
          == RegistryRead::Status::ValueFailed);
    std::string value = "old";
    CHECK(!getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, value));
    CHECK_EQ(value, std::string());

    // The first lookup fails like a missing value, so the second one is used.
    startSysInfo(system);
    CHECK_EQ(system.started, Strings{target.directory + "\\MSINFO32.EXE"});
    CHECK_EQ(system.messages, Strings{});
    target.checkStarted();
}

void bothKeysAbsent()
{
    ScopedAbsentKey noMsinfo(kMsinfoKey);
    ScopedAbsentKey noLocation(kLocationKey);
    RecordingSystem system;
    CHECK(system.readValue(RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, kValueBufferSize).status
          == RegistryRead::Status::KeyFailed);
    CHECK(system.readValue(RootKey::LocalMachine, kLocationKey, kLocationValue, kValueBufferSize).status
          == RegistryRead::Status::KeyFailed);
    startSysInfo(system);
    CHECK_EQ(system.fileTests, Strings{});
    CHECK_EQ(system.started, Strings{});
    CHECK_EQ(system.messages, Strings{kSysInfoUnavailable});
}

void numberValue()
{
    const DWORD number = 0x00001001;
    ScopedValue path(kMsinfoKey, kMsinfoValue, REG_DWORD, &number, sizeof number);
    RecordingSystem system;
    std::string value;
    CHECK(getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, value));
    CHECK_EQ(value, std::string("&h001001")); // the high zero byte went as a terminating zero
}

void filesAndPrograms()
{
    WorkDir work("files");
    ProgramWithBlanks target(work);
    WinSystem system;
    CHECK(system.fileExists(target.program));
    CHECK(!system.fileExists(target.directory));                         // a directory
    CHECK(!system.fileExists(target.directory + "\\MSINFO32.EX?"));      // no wildcards
    CHECK(!system.fileExists(target.directory + "\\*"));
    CHECK(!system.fileExists(target.directory + "\\NOSUCH.EXE"));
    CHECK(!system.fileExists(std::string(target.program).insert(target.directory.size(), 1, '\0')));
    CHECK(!system.startProgram(target.directory + "\\NOSUCH.EXE"));
    CHECK(!system.startProgram(target.directory));
    CHECK(!system.startProgram(""));
    CHECK(system.startProgram(target.program));
    target.checkStarted();
}

struct Case
{
    const char *name;
    void (*run)();
};

const Case kCases[] = {
    {"first_value_started_without_second_key", firstValueStartedWithoutSecondKey},
    {"second_value_joined_and_started", secondValueJoinedAndStarted},
    {"second_directory_without_program", secondDirectoryWithoutProgram},
    {"string_with_terminating_zero", stringWithTerminatingZero},
    {"string_without_terminating_zero", stringWithoutTerminatingZero},
    {"zero_byte_value", zeroByteValue},
    {"value_longer_than_buffer", valueLongerThanBuffer},
    {"both_keys_absent", bothKeysAbsent},
    {"number_value", numberValue},
    {"files_and_programs", filesAndPrograms},
};

bool runCase(const Case &c)
{
    clearValues();
    try {
        c.run();
    } catch (const Failure &) {
        std::printf("FAIL %s\n", c.name);
        return false;
    } catch (const std::exception &e) {
        std::printf("FAIL %s: %s\n", c.name, e.what());
        return false;
    }
    std::printf("PASS %s\n", c.name);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const Case &c : kCases)
            std::printf("%s\n", c.name);
        return 0;
    }
    int failed = 0, ran = 0;
    for (const Case &c : kCases) {
        if (argc > 1 && std::strcmp(argv[1], c.name) != 0)
            continue;
        ++ran;
        failed += runCase(c) ? 0 : 1;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no case named %s\n", argc > 1 ? argv[1] : "");
        return 2;
    }
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}
