// A stand-in for System Information: writes its command line to a marker file named after itself.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

int main()
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    const std::string marker = std::string(self) + ".started";
    const std::string partial = marker + ".part";
    const std::string commandLine = GetCommandLineA();

    // Written aside and then renamed, so a marker is never seen half-written.
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, commandLine.data(), DWORD(commandLine.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || !MoveFileExA(partial.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING))
        return 1;
    return 0;
}
