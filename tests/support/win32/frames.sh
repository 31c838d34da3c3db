#!/usr/bin/env bash
# Runs a command with other window frames and another system DPI in this
# run's Wine prefix, then gives the prefix back its own: Windows 10/11 frames
# at 96 DPI, as script/lib.sh's start_wine sets them up.
#
# Usage: frames.sh win10|classic DPI COMMAND [ARGS...]   (WINEPREFIX set)
set -u
source "$(dirname "$0")/../../../script/lib.sh"
: "${WINEPREFIX:?needs the Wine prefix of this run}"
trap 'set_window_frames win10 96' EXIT
set_window_frames "$1" "$2"
export ORVENDA_TEST_FRAMES="$1 $2"  # which the test sees in effect
shift 2
"$@"
