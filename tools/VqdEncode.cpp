// vqdtool encode -o OUT.vqd: a recording from a folder of PNG frames, or
// from raw frames on standard input, e.g.
//   ffmpeg -i clip.mp4 -f rawvideo -pix_fmt bgr24 - | vqdtool encode --raw 800x600 --pix bgr24
//   --fps 10 -o clip.vqd
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "PictureCommands.h"
#include "ToolOutput.h"
#include "recording/ContainerFormat.h"
#include "recording/RecordingEncoder.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

namespace {

const char kUsage[] =
    "vqdtool encode -o OUT.vqd (FOLDER | --raw WxH --pix bgr24|bgra|rgb565) [--fps N]\n"
    "               [--title T] [--author A] [--description D]";

struct Options {
    std::string folder, pix;
    int width = 0, height = 0, fps = 10;
    vqd::RecordingInfo info;
};

// A top-down picture of the input's depth; rows padded to 4 bytes.
struct Picture {
    std::vector<uint8_t> bitmapInfo = std::vector<uint8_t>(kBitmapInfoSize, 0);
    std::vector<uint8_t> pixels;
    uint32_t rowBytes = 0, stride = 0;

    bool Shape(int width, int height, uint16_t bitCount) {
        vqd::WriteU32(&bitmapInfo[0], 40);
        vqd::WriteU32(&bitmapInfo[4], uint32_t(width));
        vqd::WriteU32(&bitmapInfo[8], uint32_t(-height));
        vqd::WriteU16(&bitmapInfo[12], 1);
        vqd::WriteU16(&bitmapInfo[14], bitCount);
        if (bitCount == 16) {
            vqd::WriteU32(&bitmapInfo[16], 3);  // BI_BITFIELDS 565
            vqd::WriteU32(&bitmapInfo[40], 0xF800);
            vqd::WriteU32(&bitmapInfo[44], 0x07E0);
            vqd::WriteU32(&bitmapInfo[48], 0x001F);
        }
        ImageLayout layout;
        if (!LayoutOf(bitmapInfo.data(), layout))
            return false;
        rowBytes = layout.width * layout.bytesPerPixel;
        stride = layout.stride;
        pixels.assign(layout.imageSize, 0);
        return true;
    }
};

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--raw" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2)
                return false;
        } else if (a == "--pix" && hasValue)
            o.pix = argv[++i];
        else if (a == "--fps" && hasValue)
            o.fps = std::atoi(argv[++i]);
        else if (a == "--title" && hasValue)
            o.info.title = argv[++i];
        else if (a == "--author" && hasValue)
            o.info.author = argv[++i];
        else if (a == "--description" && hasValue)
            o.info.description = argv[++i];
        else if (o.folder.empty() && a[0] != '-')
            o.folder = a;
        else
            return false;
    }
    const bool raw =
        o.width > 0 && o.height > 0 && (o.pix == "bgr24" || o.pix == "bgra" || o.pix == "rgb565");
    o.info.frameRate = uint32_t(o.fps);
    return o.fps > 0 && o.fps <= 1000 && (raw != !o.folder.empty());
}

void Progress(size_t frame, size_t total) {
    if (!isatty(2) || frame % 10)
        return;
    if (total)
        std::fprintf(stderr, "\rframe %zu of %zu", frame, total);
    else
        std::fprintf(stderr, "\rframe %zu", frame);
}

bool AddFrame(vqd::RecordingEncoder& writer, const Picture& p, size_t index, int fps) {
    const int32_t width = int32_t(vqd::ReadU32(&p.bitmapInfo[4]));
    const int32_t height = -int32_t(vqd::ReadU32(&p.bitmapInfo[8]));
    const vqd::EncoderFrame frame{
        p.bitmapInfo.data(), p.pixels.data(), Rect{0, 0, width, height}, {0, 0}, 0, 0};
    return writer.AddFrame(frame, uint32_t(index * 1000 / uint32_t(fps)));
}

bool EncodeRaw(vqd::RecordingEncoder& writer, const Options& o) {
    Picture p;
    const uint16_t bits = o.pix == "bgr24" ? 24 : (o.pix == "bgra" ? 32 : 16);
    if (!p.Shape(o.width, o.height, bits))
        return false;
    size_t index = 0;
    for (;; ++index) {
        for (int y = 0; y < o.height; ++y)
            if (std::fread(&p.pixels[size_t(y) * p.stride], 1, p.rowBytes, stdin) != p.rowBytes)
                return index > 0;
        if (!AddFrame(writer, p, index, o.fps))
            return false;
        Progress(index, 0);
    }
}

bool EncodeFolder(vqd::RecordingEncoder& writer, const Options& o) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(o.folder, error))
        if (entry.path().extension() == ".png")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    if (error || files.empty())
        return false;
    Picture p;
    for (size_t i = 0; i < files.size(); ++i) {
        int w, h, channels;
        stbi_uc* rgb = stbi_load(files[i].c_str(), &w, &h, &channels, 3);
        if (!rgb)
            return false;
        const bool sameSize = i > 0 && int32_t(vqd::ReadU32(&p.bitmapInfo[4])) == w &&
                              -int32_t(vqd::ReadU32(&p.bitmapInfo[8])) == h;
        const bool ok = sameSize || p.Shape(w, h, 24);  // another size starts a new format
        for (int y = 0; ok && y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c)
                    p.pixels[size_t(y) * p.stride + size_t(x) * 3 + c] =
                        rgb[(size_t(y) * w + x) * 3 + 2 - c];
        stbi_image_free(rgb);
        if (!ok || !AddFrame(writer, p, i, o.fps))
            return false;
        Progress(i, files.size());
    }
    return true;
}

}  // namespace

int RunEncode(int argc, char** argv) {
    const std::string out = TakeOutputOption(argc, argv);
    Options o;
    if (out.empty() || !Parse(argc, argv, o))
        return ReportUsage(kUsage);
    uint32_t records = 0;
    const bool ok = WriteOutputFile(out, [&](const std::string& temp) {
        vqd::RecordingEncoder writer;
        const bool encoded = writer.Create(temp.c_str(), o.info) &&
                             (o.folder.empty() ? EncodeRaw(writer, o) : EncodeFolder(writer, o));
        records = writer.RecordCount();
        return writer.Finish() && encoded;
    });
    if (isatty(2))
        std::fprintf(stderr, "\n");
    if (!ok) {
        std::fprintf(stderr, "vqdtool: cannot encode %s\n",
                     o.folder.empty() ? "the raw frames" : o.folder.c_str());
        return kExitBadFile;
    }
    std::printf("%u records written to %s\n", records, out.c_str());
    return kExitOk;
}
