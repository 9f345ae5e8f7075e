#!/bin/sh
# Draws both check dialogs on a virtual X server and saves them as PNG files.
# $1: the captura_dialogos program; $2: the folder for the pictures.
# Exit 77 (skipped) when xvfb-run is not installed.
command -v xvfb-run >/dev/null 2>&1 || exit 77
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1024x768x24" "$1" "$2"
