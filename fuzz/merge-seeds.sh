#!/usr/bin/env bash
# Adds to each target's kept seed corpus (fuzz/seeds/TARGET) the inputs of at
# most 4096 bytes, grown in BUILD_DIR or made by the encoder, that reach
# coverage the kept seeds do not: the fewest and smallest that do, chosen by
# libFuzzer's -merge=1 and named by their SHA-1. Kept seeds (among them the
# findings kept as regression cases, named by hand) are never removed, so the
# corpus changes only where a run found something new; to minimise it afresh,
# delete the SHA-1-named files first.   fuzz/merge-seeds.sh [BUILD_DIR]
set -euo pipefail
BUILD_DIR=${1:-build/host}
# shellcheck source=fuzz/fuzz-common.sh
source "$(dirname "$0")/fuzz-common.sh"
limit=4096
make_encoder_seeds

for target in "${targets[@]}"; do
  merged="$work/merge/$target"
  candidates="$work/merge/$target-candidates"
  rm -rf "$merged" "$candidates"
  mkdir -p "$merged" "$candidates" "$kept/$target"
  find "$kept/$target" -maxdepth 1 -type f -exec cp -t "$merged" {} +
  for folder in $(corpus_of "$target"); do
    find "$folder" -maxdepth 1 -type f -size -$((limit + 1))c -exec cp -t "$candidates" {} +
  done
  "$fuzz/${target}_fuzzer" -merge=1 -rss_limit_mb=512 -timeout=1 "$merged" "$candidates" \
    >"$work/merge/$target.log" 2>&1 || { tail -n 20 "$work/merge/$target.log"; exit 1; }
  cp -n -t "$kept/$target" "$merged"/*
  echo "$target: $(find "$kept/$target" -type f | wc -l) seeds," \
    "$(du -sh --apparent-size "$kept/$target" | cut -f1)"
done
