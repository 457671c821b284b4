// One monitor's picture: a recording's video resampled to the monitor's
// layout into a surface of its own, from which the screen gets plain 1:1
// copies, and the black borders around it. A paint composes only what the
// recording's last changes and the click marks' old and new places reach,
// exactly as a whole paint would compose them.
#pragma once
#include "playback/ChangedAreas.h"
#include "playback/PictureScaler.h"
#include "playback/PictureSurface.h"
#include "playback/PresentationLayout.h"
#include "playback/ScreenTarget.h"

class RecordingFile;

class ScreenPicture {
  public:
    // The recording's video changed beyond its changed areas: the next
    // paint of a picture that shows it is whole.
    void Forget(const RecordingFile& recording);
    void Release();

    // Composes the recording's picture for the layout where its changes reach
    // and copies that to the screen; when `whole`, when the layout, the video's
    // size, the kind of surface or the recording is new, or when the last
    // paint failed, all of it and the borders. False when a step failed.
    bool Paint(ScreenTarget& screen, const PresentationLayout& layout,
               const RecordingFile& recording, bool drawClicks, bool whole);

  private:
    void Prepare(const PresentationLayout& layout, const RecordingFile& recording);
    int ComposeAreas(const ChangedAreas& changes, Rect* areas) const;
    bool Compose(const PictureOverlay& overlay, const Rect& area);
    Rect OnScreen(const Rect& area) const;
    Rect InSurface(const Rect& area) const;

    const RecordingFile* shows = nullptr;
    PictureSource source;  // keeps its colour tables from paint to paint
    Rect marks = {};       // where the click marks were at the last paint
    PresentationLayout layout;
    int32_t videoWidth = 0, videoHeight = 0;
    Rect visible = {};  // the layout's picture in the scaler's coordinates
    PictureScaler scaler;
    PictureSurface surface;
    bool composed = false;
};
