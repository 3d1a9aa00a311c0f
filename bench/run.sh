#!/usr/bin/env bash
# Runs every benchmark script bench/*.sh (except this one) against the build folder given.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
for script in "$here"/*.sh; do
  [ "$(basename "$script")" = run.sh ] && continue
  echo "== $(basename "$script")"
  bash "$script" "$build"
done
