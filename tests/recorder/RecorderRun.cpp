#include "RecorderRun.h"

#include "PictureRgb.h"
#include "RecordPlayer.h"

namespace recorder_e2e {

std::string RecorderPath() {
    return e2e::WindowsPath(QV_RECORDER_PATH);
}

bool StartRecorder(e2e::TestProcess& recorder, const std::string& arguments) {
    return recorder.Start(RecorderPath(), arguments);
}

RunResult RunRecorder(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    RunResult run{e2e::TestProcess::killedExitCode, {}};
    if (!CreatePipe(&read, &write, &inherit, 1 << 16))
        return run;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    std::string line = "\"" + RecorderPath() + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(write);
    if (started) {
        if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &run.exitCode);
        else
            TerminateProcess(process.hProcess, e2e::TestProcess::killedExitCode);
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got)
            run.output.append(buffer, got);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(read);
    return run;
}

std::vector<Shown> PlayAll(const std::string& path) {
    std::vector<Shown> shown;
    RecordPlayer player;
    if (!player.Open(path.c_str(), false))
        return shown;
    uint32_t time = 0;
    RecordPlayer::Step step;
    std::vector<uint8_t> rgb;
    while (player.Next(step)) {
        time += step.delay;
        const RecordingFile& r = player.Recording();
        Rect area;
        if (!step.applied || !VisibleArea(r.GetFrameImage(), r.GetCaptureRect(), area))
            continue;
        ToRgb(r.GetFrameImage(), area, rgb);
        Shown s{time, area.right - area.left, area.bottom - area.top, {}, {}, false, false};
        for (size_t i = 0; i + 2 < rgb.size(); i += 3)
            s.pixels.push_back(
                Reduce(uint32_t(rgb[i]) << 16 | uint32_t(rgb[i + 1]) << 8 | rgb[i + 2]));
        const Point p = r.GetCursorPosition();
        s.cursor = {p.x, p.y};
        s.left = r.GetLeftButtonDown() != 0;
        s.right = r.GetRightButtonDown() != 0;
        shown.push_back(std::move(s));
    }
    return shown;
}

std::string StreamEnd(const std::string& path) {
    RecordPlayer player;
    if (!player.Open(path.c_str(), false))
        return "does not open";
    RecordPlayer::Step step;
    while (player.Next(step)) {
    }
    return player.StopReason();
}

std::vector<uint16_t> Reduced(const e2e::Picture& picture, const RECT& area) {
    std::vector<uint16_t> pixels;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            pixels.push_back(Reduce(picture.At(x, y)));
    return pixels;
}

uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace recorder_e2e
