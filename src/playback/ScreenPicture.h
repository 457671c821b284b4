// One monitor's picture: the video resampled to the monitor's layout into a
// surface of its own, from which the screen gets plain 1:1 copies, and the
// black borders around it. A paint composes only what the changed parts of
// the video reach, exactly as a whole paint would compose them.
#pragma once
#include "playback/ChangedAreas.h"
#include "playback/PictureScaler.h"
#include "playback/PictureSurface.h"
#include "playback/PresentationLayout.h"
#include "playback/ScreenTarget.h"

class ScreenPicture {
  public:
    // Takes the layout for a video of the given size; a new layout, size or
    // kind of surface is composed whole at the next paint.
    void Prepare(const PresentationLayout& layout, int32_t videoWidth, int32_t videoHeight);
    // The video changed beyond its changed areas: the next paint is whole.
    void Forget() { composed = false; }
    void Release();

    // Composes the picture where the changed areas reach it and copies that
    // to the screen; when `whole` or not yet composed, all of it and the
    // borders. False when a step failed; the next paint is then whole.
    bool Paint(ScreenTarget& screen, const PictureSource& source, const PictureOverlay& overlay,
               const ChangedAreas& changes, bool whole);

  private:
    int ComposeAreas(const ChangedAreas& changes, Rect* areas) const;
    bool Compose(const PictureSource& source, const PictureOverlay& overlay, const Rect& area);
    Rect OnScreen(const Rect& area) const;
    Rect InSurface(const Rect& area) const;

    PresentationLayout layout;
    int32_t videoWidth = 0, videoHeight = 0;
    Rect visible = {};  // the layout's picture in the scaler's coordinates
    PictureScaler scaler;
    PictureSurface surface;
    bool composed = false;
};
