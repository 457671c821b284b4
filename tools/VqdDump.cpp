// vqdtool dump --json FILE: the header, then one line per record with the
// state of the picture after it, then why the stream ended.
#include <cstdio>
#include <cstring>
#include <string>

#include "PictureCommands.h"
#include "RecordPlayer.h"
#include "RecordingProbe.h"
#include "Sha256.h"
#include "ToolOutput.h"

namespace {

// A JSON string of the bytes before the first NUL, each byte the code point
// of its value.
std::string JsonText(const char* field, size_t size) {
    std::string out = "\"";
    for (size_t i = 0; i < size && field[i] != '\0'; ++i) {
        const uint8_t c = uint8_t(field[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out + "\"";
}

std::string Bool(bool b) {
    return b ? "true" : "false";
}
std::string Num(int64_t v) {
    return std::to_string(v);
}
std::string Pair(int64_t a, int64_t b) {
    return "[" + Num(a) + "," + Num(b) + "]";
}
std::string Box(const Rect& r) {
    return "[" + Num(r.left) + "," + Num(r.top) + "," + Num(r.right) + "," + Num(r.bottom) + "]";
}

void PrintHeader(const RecordingProbe& p) {
    const RecordingHeader& h = p.header;
    std::printf(
        "{\"type\":\"header\",\"embedded\":%s,\"embeddedStart\":%u,\"dataStart\":%u,\"dataEnd\":%u,"
        "\"frameRate\":%u,\"secondaryRate\":%u,\"durationSeconds\":%u,\"durationMilliseconds\":%u,"
        "\"title\":%s,\"author\":%s,\"description\":%s}\n",
        Bool(p.embedded).c_str(), p.embeddedStart, p.dataStart, p.dataEnd, h.frameRate,
        h.secondaryRate, h.durationSeconds, h.durationMilliseconds,
        JsonText(h.title, sizeof h.title).c_str(), JsonText(h.author, sizeof h.author).c_str(),
        JsonText(h.description, sizeof h.description).c_str());
}

void PrintRecord(uint32_t index, const RecordPlayer::Step& s, const RecordingFile& r) {
    std::string dirty = "[";
    for (const Rect& d : r.GetDirtyRects())
        dirty += (dirty.size() > 1 ? "," : "") + Box(d);
    dirty += "]";
    const FrameImage& image = r.GetFrameImage();
    const bool picture = image.HasPicture();
    const std::string size = picture ? "[" + Num(image.width) + "," + Num(image.height) + "," +
                                           Num(image.BitCount()) + "]"
                                     : "[0,0,0]";
    const std::string hash = picture ? Sha256Hex(image.currentImage, image.imageSize) : "";
    const Point cursor = r.GetCursorPosition();
    std::printf(
        "{\"type\":\"record\",\"index\":%u,\"offset\":%u,\"delay\":%u,\"length\":%u,\"applied\":%s,"
        "\"dirty\":%s,\"cursor\":%s,\"buttons\":%s,\"capture\":%s,\"image\":%s,\"sha256\":\"%s\"}"
        "\n",
        index, s.offset, s.delay, s.length, Bool(s.applied).c_str(), dirty.c_str(),
        Pair(cursor.x, cursor.y).c_str(),
        Pair(r.GetLeftButtonDown(), r.GetRightButtonDown()).c_str(),
        Box(r.GetCaptureRect()).c_str(), size.c_str(), hash.c_str());
}

}  // namespace

int RunDump(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[0], "--json") != 0)
        return ReportUsage("vqdtool dump --json FILE");
    const char* path = argv[1];
    const RecordingProbe probe = ProbeRecording(path);
    if (!probe.error.empty()) {
        std::printf("{\"type\":\"error\",\"reason\":\"%s\"}\n", probe.error.c_str());
        return kExitBadFile;
    }
    PrintHeader(probe);
    RecordPlayer player;
    if (!player.Open(path, probe.embedded)) {
        std::printf("{\"type\":\"error\",\"reason\":\"cannotopen\"}\n");
        return kExitBadFile;
    }
    uint32_t records = 0;
    RecordPlayer::Step step;
    while (player.Next(step))
        PrintRecord(records++, step, player.Recording());
    std::printf("{\"type\":\"end\",\"records\":%u,\"reason\":\"%s\"}\n", records,
                player.StopReason());
    return kExitOk;
}
