// Turns a sequence of frames into FrameUpdates in the recorder's order:
// ImageFormat, CaptureRect and CursorState when they changed, then one
// MovedRuns for content displaced by whole rows and columns, then one
// PixelRuns with a run per changed stretch of a row. Platform-free.
#pragma once
#include <cstdint>
#include <vector>

#include "recording/FrameImage.h"
#include "recording/Geometry.h"
#include "recording/MoveDetector.h"

namespace vqd {

struct EncoderFrame {
    const uint8_t* bitmapInfo;  // kBitmapInfoSize bytes: BITMAPINFOHEADER and colour table
    const uint8_t* pixels;      // stride x |biHeight| bytes, rows in memory order
    Rect captureRect;           // in memory rows; only this area is recorded
    Point cursor;
    uint8_t leftButton, rightButton;
};

class FrameEncoder {
  public:
    // Replaces frameUpdate with what turns the previous frame into this one
    // inside its capture rectangle; empty when nothing changed. False when the
    // format is one a player refuses or the capture rectangle leaves the image.
    bool Encode(const EncoderFrame& frame, std::vector<uint8_t>& frameUpdate);
    // Replaces frameUpdate with one that only restates the pointer of the last
    // frame: a record that changes nothing and carries time. Empty before the
    // first frame.
    void RestateCursor(std::vector<uint8_t>& frameUpdate);

  private:
    void AddCursorState();
    void AddPixelRuns(const EncoderFrame& frame);
    void AddRowRuns(const uint8_t* want, const uint8_t* have, uint32_t y);
    void Assemble(std::vector<uint8_t>& frameUpdate) const;

    bool started_ = false;
    uint8_t bitmapInfo_[kBitmapInfoSize] = {};
    ImageLayout layout_ = {};
    Rect captureRect_ = {};
    Point cursor_ = {};
    uint8_t buttons_[2] = {};
    std::vector<uint8_t> picture_;  // the player's picture after the last FrameUpdate
    MoveDetector moveDetector_;
    std::vector<MovedRun> moves_;
    std::vector<uint8_t> commands_;
    std::vector<uint8_t> pixelRuns_;  // entries of the PixelRuns command
    std::vector<uint8_t> runBytes_;
    std::vector<uint8_t> row_;  // one row of the picture with the moves applied
    struct Stretch {
        uint32_t begin, end;  // bytes of a row
    };
    std::vector<Stretch> stretches_;
};

}  // namespace vqd
