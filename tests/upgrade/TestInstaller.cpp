// Stands in for a program the saver starts (the downloaded installer, the
// recorder, msiexec): it leaves the file "<own path>.ran" with its command line.
#include <windows.h>

#include <fstream>
#include <string>

int main() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::ofstream(std::string(path) + ".ran") << GetCommandLineA();
    return 0;
}
