#include "ImageFiles.h"

#include <fstream>

namespace {
void Put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// BITMAPINFOHEADER; icons store twice the height (colour rows, then the mask).
void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, unsigned imageSize) {
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

std::vector<uint8_t> IconImage(const Canvas& canvas) {
    int w = canvas.Width(), h = canvas.Height();
    int maskStride = ((w + 31) / 32) * 4;
    std::vector<uint8_t> out;
    PutInfoHeader(out, w, h * 2, 32, static_cast<unsigned>(w * h * 4 + maskStride * h));
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            out.push_back(canvas.Blue(x, y));
            out.push_back(canvas.Green(x, y));
            out.push_back(canvas.Red(x, y));
            out.push_back(canvas.Alpha(x, y));
        }
    for (int y = h - 1; y >= 0; --y)
        for (int i = 0; i < maskStride; ++i) {
            uint8_t bits = 0;
            for (int b = 0; b < 8; ++b) {
                int x = i * 8 + b;
                if (x < w && canvas.Alpha(x, y) == 0)
                    bits |= 0x80 >> b;
            }
            out.push_back(bits);
        }
    return out;
}
}  // namespace

bool WriteBitmapFile(const std::string& path, const Canvas& canvas) {
    int w = canvas.Width(), h = canvas.Height();
    int stride = (w * 3 + 3) / 4 * 4;
    unsigned imageSize = static_cast<unsigned>(stride * h);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    PutInfoHeader(out, w, h, 24, imageSize);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            out.push_back(canvas.Blue(x, y));
            out.push_back(canvas.Green(x, y));
            out.push_back(canvas.Red(x, y));
        }
        out.resize(out.size() + (stride - w * 3), 0);
    }
    return Save(path, out);
}

bool WriteIconFile(const std::string& path, const std::vector<Canvas>& images) {
    std::vector<std::vector<uint8_t>> bodies;
    for (const Canvas& canvas : images)
        bodies.push_back(IconImage(canvas));
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(images.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].Width() & 0xFF));
        out.push_back(static_cast<uint8_t>(images[i].Height() & 0xFF));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<unsigned>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<unsigned>(bodies[i].size());
    }
    for (const auto& body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return Save(path, out);
}
