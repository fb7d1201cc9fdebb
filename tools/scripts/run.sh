#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it: a whole wizard run
# with a simulated camera, printed screen by screen.
source "$(dirname "$0")/lib.sh"

ensure_packages cmake make g++ googletest libgtest-dev

build_preset linux
"$ROOT/build/linux/tools/zeltfw-sim" "$ROOT/tools/scripts/walkthrough.zsc"
