; Timer1's compare interrupts: A latches the column the main loop prepared at
; the start of each period and lights it, or leaves it dark for B to light;
; B darkens or lights it once the shorter part of the period is over.
;
; A takes the same cycles whatever the latch count and keeps the board dark
; for just the 17 cycles between its two outs to Portc: latch 0's rows wait on
; Portd before the first, and each change of Portb closes one latch as it
; opens the next, whose rows follow one cycle later. A's first out to Portc
; (dark) comes 82 cycles after it starts, its second (the column, or 0) 99
; after; B's out comes 4 cycles after it starts. kLightingLag and
; kDarkeningLag in main.c are the differences. Neither touches a flag of
; SREG, so neither saves it, nor relies on r1 being clear.
#include <avr/io.h>

#define PORTB_IO _SFR_IO_ADDR(PORTB)
#define PORTC_IO _SFR_IO_ADDR(PORTC)
#define PORTD_IO _SFR_IO_ADDR(PORTD)

    .section .text
    .global TIMER1_COMPA_vect
TIMER1_COMPA_vect:
    push r2
    push r3
    push r4
    push r5
    push r6
    push r7
    push r8
    push r9
    push r10
    push r11
    push r12
    push r13
    push r14
    push r15
    push r16
    push r17
    push r18
    push r19
    push r30
    push r31

    lds r18, g_columnPending
    sbrs r18, 0
    rjmp done ; nothing new: the board stays as it is

    ldi r30, lo8(g_nextColumn)
    ldi r31, hi8(g_nextColumn)
    ld r2, Z+ ; the rows of latch 0 ...
    ld r3, Z+
    ld r4, Z+
    ld r5, Z+
    ld r6, Z+
    ld r7, Z+
    ld r8, Z+
    ld r9, Z+ ; ... to latch 7
    ld r10, Z+ ; the strobe of latch 0 ...
    ld r11, Z+
    ld r12, Z+
    ld r13, Z+
    ld r14, Z+
    ld r15, Z+
    ld r16, Z+
    ld r17, Z+ ; ... to latch 7
    ld r18, Z+ ; Portc: the scan bit or 0
    ldi r19, 0

    out PORTD_IO, r2 ; every latch holds: no change shows
    out PORTC_IO, r19 ; dark while latching
    out PORTB_IO, r10 ; latch 0 takes its rows
    out PORTB_IO, r11 ; latch 0 holds them, latch 1 opens
    out PORTD_IO, r3
    out PORTB_IO, r12
    out PORTD_IO, r4
    out PORTB_IO, r13
    out PORTD_IO, r5
    out PORTB_IO, r14
    out PORTD_IO, r6
    out PORTB_IO, r15
    out PORTD_IO, r7
    out PORTB_IO, r16
    out PORTD_IO, r8
    out PORTB_IO, r17
    out PORTD_IO, r9
    out PORTB_IO, r19 ; every latch holds
    out PORTC_IO, r18 ; light the new column, or leave it for B

    sts g_columnPending, r19
done:
    pop r31
    pop r30
    pop r19
    pop r18
    pop r17
    pop r16
    pop r15
    pop r14
    pop r13
    pop r12
    pop r11
    pop r10
    pop r9
    pop r8
    pop r7
    pop r6
    pop r5
    pop r4
    pop r3
    pop r2
    reti

    .global TIMER1_COMPB_vect
TIMER1_COMPB_vect:
    push r16
    lds r16, g_portcAtCompareB
    out PORTC_IO, r16
    ldi r16, 0
    sts g_awaitingCompareB, r16
    pop r16
    reti

; prepareColumn(address r25:r24, factor r22, takeHigh r20), called from C:
; each latch's table byte times factor, the product's high or low byte into
; g_nextColumn, 14 cycles a latch. r1 is cleared again before it returns.
    .global prepareColumn
prepareColumn:
    movw r30, r24
    ldi r26, lo8(g_nextColumn)
    ldi r27, hi8(g_nextColumn)
    lds r18, g_latches
    tst r18
    breq 2f
1:
    lpm r24, Z
    adiw r30, 5
    mul r24, r22
    sbrc r20, 0
    mov r0, r1
    st X+, r0
    dec r18
    brne 1b
    clr r1
2:
    ret
