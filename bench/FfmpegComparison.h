// Where Debian's ffmpeg is installed: the synthetic frames encoded with its
// lossless screen codec (zmbv), its decoding timed, and our decoding of the
// same frames put against it.
#pragma once

void CompareWithFfmpeg(int frames, double ourSecondsPerPass);
