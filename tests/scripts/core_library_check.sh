#!/usr/bin/env bash
# The program's core library holds only what the program runs: the simulated
# instrument belongs to the tools, not to the core the program links.
# Usage: core_library_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
core="$1/libvm_core.a"
[ -f "$core" ] || { echo "no $core"; exit 77; }
if ar t "$core" | grep -q 'sim_instrument'; then
  echo "the core library holds the simulated instrument"
  exit 1
fi
if nm -C "$core" 2>/dev/null | grep -q ' T vm::sim::'; then
  echo "the core library defines vm::sim functions"
  exit 1
fi
echo "core library: no simulated instrument"
