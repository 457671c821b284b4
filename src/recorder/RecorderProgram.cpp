// The recorder program: its window without arguments, else the command line.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "recorder/CommandLineRecording.h"
#include "recorder/RecorderApp.h"

RecorderApp theRecorderApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    const std::vector<std::string> arguments(__argv + 1, __argv + __argc);
    const RecorderCommand command = ParseRecorderCommand(arguments);
    if (command.kind != RecorderCommand::Kind::ShowWindow)
        return RunRecorderCommand(command);
    theRecorderApp.Startup(instance, commandLine, showCommand);
    return theRecorderApp.Run();
}
