# shellcheck shell=bash
# What the fuzzing scripts share: the targets, their folders and sanitizer
# settings, and the corpus each one starts from. Sourced with BUILD_DIR set.
fuzz="$BUILD_DIR/fuzz"
work="$fuzz/work"
kept="$(dirname "${BASH_SOURCE[0]}")/seeds"
# All targets, or those named in FUZZ_TARGETS.
read -r -a targets <<<"${FUZZ_TARGETS:-container frame_update key_value_text}"

# Freed blocks wait in ASan's quarantine (256 MB by default) and would count
# against the 512 MB limit on top of the reader's own bounded buffers; a small
# one keeps the memory, and the time spent on it, low.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16"

# Writes the seeds made from the encoder (none for the manifest parser).
make_encoder_seeds() {
  mkdir -p "$work/seeds/container" "$work/seeds/frame_update" "$work/seeds/key_value_text"
  "$fuzz/fuzz-seeds" "$work/seeds/container" "$work/seeds/frame_update" >/dev/null
}

# The folders a target reads its inputs from: the corpus grown in this build
# (where new inputs go), the seed corpus kept in the tree, the encoder's seeds.
corpus_of() {
  mkdir -p "$work/corpus/$1"
  for folder in "$work/corpus/$1" "$kept/$1" "$work/seeds/$1"; do
    if [ -d "$folder" ]; then echo "$folder"; fi
  done
}
