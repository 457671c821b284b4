// The click indicator: a small mouse picture at the recorded pointer while a
// button is held, the pressed button in red. It is laid over the video as it
// is scaled onto the screen, so it never becomes part of the stored picture.
#pragma once
#include <windows.h>

#include "playback/PictureOverlay.h"

class RecordingFile;

bool LoadClickMarks(UINT resourceId);
void ReleaseClickMarks();  // safe when nothing is loaded

// The indicator for the recording's pointer and buttons, in picture
// coordinates; nothing while no button is held, or with the pointer left
// of or above the capture rectangle.
PictureOverlay ClickMarksOver(const RecordingFile& recording);
