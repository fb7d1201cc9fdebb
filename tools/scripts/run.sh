#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it: first a whole
# wizard run with a simulated Zelt camera through the scenario console, printed
# screen by screen; then the Linux desktop program with one Zelt camera plugged
# in (without a display: the same run under Xvfb, one screenshot per step).
source "$(dirname "$0")/lib.sh"

ensure_packages cmake make g++ googletest libgtest-dev

build_preset linux
"$ROOT/build/linux/tools/zeltfw-sim" "$ROOT/tools/scripts/walkthrough.zsc"
"$ROOT/tools/desktop/run-desktop.sh"
