// The click indicator: a small mouse picture drawn at the recorded pointer
// while a button is held, the pressed button in red. It is drawn into the
// frame surface just before the blit and erased right after, so it never
// becomes part of the stored picture.
#pragma once
#include <windows.h>

class RecordingFile;

bool LoadClickMarks(UINT resourceId);
void ReleaseClickMarks();  // safe when nothing is loaded
bool DrawClickMarks(RecordingFile& recording);
bool EraseClickMarks(RecordingFile& recording);
