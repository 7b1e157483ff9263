; Stand-in for the game's tools (setup, the map editor, the help programs): records the switches
; it was given in TOOL.TXT in the current directory, so a test sees which directory DOS was in,
; and ends at once.
        cpu     8086
        org     100h

start:
        mov     dx, tool_name
        call    record_tail
        mov     dx, msg_title
        call    print
        mov     ax, 4C00h
        int     21h

%include "common.inc"

tool_name   db  'TOOL.TXT', 0
msg_title   db  'Game tool stand-in (Zentrel tests).', 13, 10, '$'
