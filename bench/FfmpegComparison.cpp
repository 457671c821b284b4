#include "FfmpegComparison.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "SyntheticSession.h"

namespace {

std::string TempFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

bool EncodeWithFfmpeg(int frames, const std::string& video) {
    const std::string command = "ffmpeg -loglevel error -y -f rawvideo -pix_fmt bgr0 -s " +
                                std::to_string(kSyntheticWidth) + "x" +
                                std::to_string(kSyntheticHeight) + " -r 10 -i - -c:v zmbv " + video;
    FILE* pipe = popen(command.c_str(), "w");
    if (!pipe)
        return false;
    const bool written = WriteSyntheticFrames(pipe, frames);
    return pclose(pipe) == 0 && written;
}

// The real time ffmpeg reports for decoding the video to nothing, or -1.
double FfmpegDecodeSeconds(const std::string& video) {
    const std::string command = "ffmpeg -hide_banner -benchmark -i " + video + " -f null - 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    double seconds = -1;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        const std::string text = line;
        const size_t at = text.find("rtime=");
        if (text.rfind("bench:", 0) == 0 && at != std::string::npos)
            seconds = std::atof(text.c_str() + at + 6);
    }
    pclose(pipe);
    return seconds;
}

}  // namespace

void CompareWithFfmpeg(int frames, double ourSecondsPerPass) {
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) {
        std::printf("ffmpeg is not installed: no comparison with its zmbv decoder\n");
        return;
    }
    const std::string video = TempFolder() + "/qv-bench-1080p-zmbv.avi";
    const double theirs = EncodeWithFfmpeg(frames, video) ? FfmpegDecodeSeconds(video) : -1;
    std::remove(video.c_str());
    if (theirs <= 0) {
        std::printf("ffmpeg could not encode or decode the zmbv comparison video\n");
        return;
    }
    std::printf("synthetic frames with ffmpeg's zmbv: decoded in %.3f s; ours / ffmpeg's %.2f\n",
                theirs, ourSecondsPerPass / theirs);
}
