#!/usr/bin/env bash
# Benchmarks: figures printed for a person to read, never pass or fail.
set -u
cd "$(dirname "$0")/.."
echo "== decoding (native, quick play, no display)"
build/host/bench/decode-bench build/host/demo.vqd
