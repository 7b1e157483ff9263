; Stand-in for the network launcher: records its switches in COMMIT.TXT, shows them, and runs
; DUKE3D.EXE from the current directory with the same command tail, as the real launcher does.
        cpu     8086
        org     100h

start:
        mov     sp, stack_top           ; a stack inside the block we keep
        mov     bx, image_end + 15
        mov     cl, 4
        shr     bx, cl
        mov     ah, 4Ah                 ; give the rest of memory back for the child
        int     21h

        mov     dx, commit_name
        call    record_tail
        jnc     .recorded
        mov     dx, msg_nofile
        call    print
.recorded:
        mov     dx, msg_title
        call    print
        call    print_tail

        mov     [params + 4], cs        ; segments of the tail and FCB pointers
        mov     [params + 8], cs
        mov     [params + 12], cs
        mov     [saved_sp], sp
        mov     ax, 4B00h
        mov     dx, game_name
        mov     bx, params
        int     21h
        cli                             ; old DOS versions lose SS:SP across EXEC
        mov     bx, cs
        mov     ss, bx
        mov     sp, [cs:saved_sp]
        sti
        mov     ds, bx
        mov     es, bx
        jnc     .ran
        mov     dx, msg_noexec
        call    print
        mov     ax, 4C01h
        int     21h
.ran:
        mov     ax, 4C00h
        int     21h

%include "common.inc"

commit_name db  'COMMIT.TXT', 0
game_name   db  'DUKE3D.EXE', 0
msg_title   db  'Network launcher stand-in (Zentrel demo). Switches:', '$'
msg_nofile  db  'Could not write COMMIT.TXT.', 13, 10, '$'
msg_noexec  db  'Could not run DUKE3D.EXE.', 13, 10, '$'
params      dw  0                       ; inherit the environment
            dw  80h, 0                  ; command tail
            dw  5Ch, 0                  ; first FCB
            dw  6Ch, 0                  ; second FCB
saved_sp    dw  0

            align 2
            times 256 db 0
stack_top:
image_end:
