// A stand-in for System Information: writes its command line to "<its own path>.started".
#include <windows.h>

#include <cstdio>
#include <string>

int main()
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string marker = std::string(self, length) + ".started", part = marker + ".part";
    // Written aside and renamed, so a marker is never seen half-written.
    std::FILE *file = std::fopen(part.c_str(), "wb");
    if (!file || std::fputs(GetCommandLineA(), file) < 0 || std::fclose(file) != 0)
        return 1;
    return MoveFileExA(part.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
