; Stand-in for a network game's launcher: asks DOS for the IPX driver (INT 2Fh, AX 7A00h, which
; answers AL FFh when one is installed) and writes what it found to IPX.TXT, then ends.
        cpu     8086
        org     100h

start:
        mov     ax, 7A00h
        int     2Fh
        mov     dx, msg_none
        mov     cx, msg_none_len
        cmp     al, 0FFh
        jne     .write
        mov     dx, msg_found
        mov     cx, msg_found_len
.write:
        push    dx
        push    cx
        mov     ah, 3Ch                 ; create or truncate IPX.TXT
        xor     cx, cx
        mov     dx, ipx_name
        int     21h
        pop     cx
        pop     dx
        jc      .done
        mov     bx, ax
        mov     ah, 40h
        int     21h
        mov     ah, 3Eh
        int     21h
.done:
        mov     ax, 4C00h
        int     21h

ipx_name        db  'IPX.TXT', 0
msg_found       db  'IPX driver found', 13, 10
msg_found_len   equ $ - msg_found
msg_none        db  'No IPX driver', 13, 10
msg_none_len    equ $ - msg_none
