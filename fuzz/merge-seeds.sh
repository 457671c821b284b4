#!/usr/bin/env bash
# Minimises each target's kept seed corpus (fuzz/seeds/TARGET) together with
# the corpus grown in BUILD_DIR into the smallest set of inputs of at most
# 4096 bytes that reaches the same coverage, with libFuzzer's -merge=1.
# Files named by hand (findings kept as regression cases, example manifests)
# stay whatever their size; the merged inputs are named by their SHA-1.
#   fuzz/merge-seeds.sh [BUILD_DIR]
set -euo pipefail
BUILD_DIR=${1:-build/host}
# shellcheck source=fuzz/fuzz-common.sh
source "$(dirname "$0")/fuzz-common.sh"
limit=4096
make_encoder_seeds

is_merged_name() { [[ $(basename "$1") =~ ^[0-9a-f]{40}$ ]]; }

for target in "${targets[@]}"; do
  merged="$work/merge/$target"
  candidates="$work/merge/$target-candidates"
  rm -rf "$merged" "$candidates"
  mkdir -p "$merged" "$candidates" "$kept/$target"
  # The hand-named files make the starting coverage; small inputs that add to
  # it are the candidates.
  for f in "$kept/$target"/*; do
    [ -f "$f" ] || continue
    if is_merged_name "$f"; then cp "$f" "$candidates/"; else cp "$f" "$merged/"; fi
  done
  # shellcheck disable=SC2046
  find $(corpus_of "$target") -maxdepth 1 -type f -size -$((limit + 1))c \
    -exec cp -t "$candidates" {} +
  "$fuzz/${target}_fuzzer" -merge=1 -rss_limit_mb=512 -timeout=1 "$merged" "$candidates" \
    >"$work/merge/$target.log" 2>&1 || { tail -n 20 "$work/merge/$target.log"; exit 1; }
  for f in "$kept/$target"/*; do
    if is_merged_name "$f"; then rm "$f"; fi
  done
  for f in "$merged"/*; do
    if is_merged_name "$f"; then cp "$f" "$kept/$target/"; fi
  done
  echo "$target: $(find "$kept/$target" -type f | wc -l) seeds, $(du -sh "$kept/$target" | cut -f1)"
done
