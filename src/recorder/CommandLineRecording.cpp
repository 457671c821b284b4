#include "recorder/CommandLineRecording.h"

#include <windows.h>

#include <string>

#include "recorder/RecordingSession.h"

namespace {

// One line to a standard handle that the caller gave, if any.
void WriteLine(DWORD which, const std::string& text) {
    const HANDLE out = GetStdHandle(which);
    if (!out || out == INVALID_HANDLE_VALUE)
        return;
    const std::string line = "grabora: " + text + "\n";
    DWORD written = 0;
    WriteFile(out, line.data(), DWORD(line.size()), &written, nullptr);
}

int Fail(const std::string& problem) {
    WriteLine(STD_ERROR_HANDLE, problem);
    return kFailed;
}

int Record(const RecorderCommand& command) {
    SessionSettings settings;
    settings.file = command.file;
    settings.region = command.wholeScreen ? VirtualScreen()
                                          : RECT{command.region.left, command.region.top,
                                                 command.region.right, command.region.bottom};
    settings.bitsPerPixel = command.bitsPerPixel;
    settings.capture = {command.framesPerSecond, command.seconds, true, true};
    settings.info.frameRate = command.framesPerSecond;
    RecordingSession session;
    std::string problem;
    if (!session.Start(settings, problem))
        return Fail(problem);
    WaitForSingleObject(session.Ended(), INFINITE);
    const RecordingSummary summary = session.Stop();
    const std::string report = session.Report(summary);
    if (!summary.written || summary.writeFailed)
        return Fail(report);
    WriteLine(STD_OUTPUT_HANDLE, report);
    return kRecorded;
}

}  // namespace

int RunRecorderCommand(const RecorderCommand& command) {
    std::string problem;
    switch (command.kind) {
        case RecorderCommand::Kind::Usage:
            WriteLine(STD_ERROR_HANDLE, command.problem + "\n" + kRecorderUsage);
            return kUsage;
        case RecorderCommand::Kind::Stop:
            return StopRecordingOf(command.file, problem) ? kRecorded : Fail(problem);
        default:
            return Record(command);
    }
}
