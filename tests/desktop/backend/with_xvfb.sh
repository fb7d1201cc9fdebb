#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb. Usage: with_xvfb.sh CMD...
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../../../tools/scripts/xsession.sh"
trap stop_xsession EXIT
start_xvfb
"$@"
