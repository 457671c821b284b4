// vqdtool export FILE --out DIR [--every N] [--clicks]: the capture
// rectangle of the picture after every record (or every Nth) as PNG files.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "PictureCommands.h"
#include "PictureRgb.h"
#include "RecordPlayer.h"
#include "RecordingProbe.h"
#include "ToolOutput.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace {
const char kUsage[] = "vqdtool export FILE --out DIR [--every N] [--clicks]";
}

int RunExport(int argc, char** argv) {
    const char* path = nullptr;
    std::string out;
    long every = 1;
    bool clicks = false;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--out") && i + 1 < argc)
            out = argv[++i];
        else if (!std::strcmp(argv[i], "--every") && i + 1 < argc)
            every = std::strtol(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--clicks"))
            clicks = true;
        else if (!path && argv[i][0] != '-')
            path = argv[i];
        else
            return ReportUsage(kUsage);
    }
    if (!path || out.empty() || every < 1)
        return ReportUsage(kUsage);
    const RecordingProbe probe = ProbeRecording(path);
    if (!probe.error.empty())
        return ReportBadFile(path, probe.errorOffset, probe.error);
    RecordPlayer player;
    if (!player.Open(path, probe.embedded))
        return ReportBadFile(path, 0, "cannotopen");
    RecordPlayer::Step step;
    std::vector<uint8_t> rgb;
    uint32_t index = 0, written = 0;
    for (; player.Next(step); ++index) {
        const RecordingFile& r = player.Recording();
        Rect area;
        if (index % uint32_t(every) != 0 ||
            !VisibleArea(r.GetFrameImage(), r.GetCaptureRect(), area))
            continue;
        ToRgb(r.GetFrameImage(), area, rgb);
        if (clicks && (r.GetLeftButtonDown() || r.GetRightButtonDown()))
            DrawClick(rgb, area, r.GetCursorPosition(), r.GetLeftButtonDown(),
                      r.GetRightButtonDown());
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%05u.png", index);
        const int width = area.right - area.left, height = area.bottom - area.top;
        if (!stbi_write_png((out + name).c_str(), width, height, 3, rgb.data(), width * 3)) {
            std::fprintf(stderr, "vqdtool: cannot write %s%s\n", out.c_str(), name);
            return kExitBadFile;
        }
        ++written;
    }
    std::printf("%u pictures written to %s (%u records, stream %s)\n", written, out.c_str(), index,
                player.StopReason());
    return kExitOk;
}
