#!/usr/bin/env wish
# A stand-in for the timetable generator's window made with another toolkit (Tk): a
# top-level window whose whole area is a frame made to hold another program's window
# (-container). Prints the frame's X11 window id in hexadecimal (no prefix) and waits
# to be killed.
wm title . Anfitrion
wm geometry . 680x340+10+10
frame .panel -width 680 -height 340 -background "#404040" -container 1
pack .panel
update
puts [format %x [winfo id .panel]]
flush stdout
