; Stand-in for the game: records the switches it was given in ARGS.TXT, shows them, and waits
; for a key or for the number of seconds written in WAIT.TXT (10 when there is no such file),
; so tests end at once and a player trying the demo has time to look.
        cpu     8086
        org     100h

start:
        mov     dx, args_name
        call    record_tail
        jnc     .recorded
        mov     dx, msg_nofile
        call    print
.recorded:
        mov     dx, msg_title
        call    print
        call    print_tail

        call    read_wait_seconds       ; AX = seconds
        cmp     ax, 3600                ; the tick difference below is one 16-bit word
        jbe     .capped
        mov     ax, 3600
.capped:
        mov     bx, ax
        mov     cx, 18                  ; 18.2 ticks a second: seconds * 18 + seconds / 5
        mul     cx
        xchg    ax, bx
        xor     dx, dx
        mov     cx, 5
        div     cx
        add     bx, ax
        mov     [ticks], bx
        test    bx, bx
        jz      exit

        mov     dx, msg_wait
        call    print
        push    ds
        mov     ax, 40h
        mov     ds, ax
        mov     si, [6Ch]               ; BIOS tick count, low word
        pop     ds
.wait:
        sti
        hlt
        mov     ah, 01h                 ; key waiting?
        int     16h
        jnz     .key
        push    ds
        mov     ax, 40h
        mov     ds, ax
        mov     ax, [6Ch]
        pop     ds
        sub     ax, si
        cmp     ax, [ticks]
        jb      .wait
        jmp     exit
.key:
        xor     ah, ah                  ; take the key so it does not reach the DOS prompt
        int     16h
exit:
        mov     ax, 4C00h
        int     21h

; AX = the decimal number at the start of WAIT.TXT, or 10 when the file cannot be read.
read_wait_seconds:
        mov     ax, 3D00h
        mov     dx, wait_name
        int     21h
        jc      .default
        mov     bx, ax
        mov     ah, 3Fh
        mov     cx, 5
        mov     dx, numbuf
        int     21h
        pushf
        push    ax
        mov     ah, 3Eh
        int     21h
        pop     cx                      ; bytes read
        popf
        jc      .default
        mov     si, numbuf
        xor     ax, ax
        jcxz    .default
.digit:
        mov     bl, [si]
        sub     bl, '0'
        cmp     bl, 9
        ja      .end
        mov     dx, 10
        mul     dx
        xor     bh, bh
        add     ax, bx
        inc     si
        loop    .digit
.end:
        ret
.default:
        mov     ax, 10
        ret

%include "common.inc"

args_name   db  'ARGS.TXT', 0
wait_name   db  'WAIT.TXT', 0
msg_title   db  'Duke Nukem 3D stand-in (Zentrel demo). Switches:', '$'
msg_wait    db  'Press any key to end the game.', 13, 10, '$'
msg_nofile  db  'Could not write ARGS.TXT.', 13, 10, '$'
ticks       dw  0
numbuf      times 5 db 0
