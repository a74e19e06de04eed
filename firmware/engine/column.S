; Timer1 compare interrupt: shows the column the main loop prepared.
; From darkening Portc to lighting the new column it takes the same 25 cycles
; whatever the latch count, so every column is lit for 4975 of its 5000 cycles.
#include <avr/io.h>

#define PORTB_IO _SFR_IO_ADDR(PORTB)
#define PORTC_IO _SFR_IO_ADDR(PORTC)
#define PORTD_IO _SFR_IO_ADDR(PORTD)
#define SREG_IO _SFR_IO_ADDR(SREG)

    .section .text
    .global TIMER1_COMPA_vect
TIMER1_COMPA_vect:
    push r0
    in r0, SREG_IO
    push r0
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
    tst r18
    breq done ; nothing new: the lit column stays

    ldi r30, lo8(g_nextColumn)
    ldi r31, hi8(g_nextColumn)
    ld r2, Z+
    ld r3, Z+
    ld r4, Z+
    ld r5, Z+
    ld r6, Z+
    ld r7, Z+
    ld r8, Z+
    ld r9, Z+
    ld r10, Z+
    ld r11, Z+
    ld r12, Z+
    ld r13, Z+
    ld r14, Z+
    ld r15, Z+
    ld r16, Z+
    ld r17, Z+
    ld r18, Z+ ; the scan bit
    clr r19

    out PORTC_IO, r19 ; dark while latching
    out PORTD_IO, r2
    out PORTB_IO, r3
    out PORTB_IO, r19
    out PORTD_IO, r4
    out PORTB_IO, r5
    out PORTB_IO, r19
    out PORTD_IO, r6
    out PORTB_IO, r7
    out PORTB_IO, r19
    out PORTD_IO, r8
    out PORTB_IO, r9
    out PORTB_IO, r19
    out PORTD_IO, r10
    out PORTB_IO, r11
    out PORTB_IO, r19
    out PORTD_IO, r12
    out PORTB_IO, r13
    out PORTB_IO, r19
    out PORTD_IO, r14
    out PORTB_IO, r15
    out PORTB_IO, r19
    out PORTD_IO, r16
    out PORTB_IO, r17
    out PORTB_IO, r19
    out PORTC_IO, r18 ; light the new column

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
    pop r0
    out SREG_IO, r0
    pop r0
    reti
