// Drives the sign board the way the firmware does, with traps for the test harness: two latches,
// Timer1 stepping one column every 5 ms while the core sleeps in between (but once). Every three
// refreshes the picture alternates between two patterns.
#include "SignLayout.h"

#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>
#include <stdint.h>
#include <util/delay_basic.h>

// The interrupt handler below is written out for exactly two latches.
#define LATCHES 2
#define COLUMNS 5

static uint8_t column;
static uint8_t picture;
static uint16_t refresh;
// What the next interrupt latches and lights, worked out ahead so that the time from the
// interrupt to lighting a column is the same for every column and picture.
static uint8_t nextRows[LATCHES];
static uint8_t nextLit;
// Set once, late in the run: the main loop then stays awake through one interrupt.
static volatile uint8_t stayAwake;

// Board column k of picture 0 shows 9 * (k + 1), of picture 1 0x7F minus that; bit 7 is set to
// check that the row mask drops it.
static uint8_t Rows(uint8_t boardColumn)
{
    const uint8_t rows = (uint8_t)(9 * (boardColumn + 1));
    return (uint8_t)(0x80 | (picture ? 0x7F - rows : rows));
}

static void PrepareColumn(void)
{
    for (uint8_t latch = 0; latch < LATCHES; ++latch) {
        nextRows[latch] = Rows((uint8_t)(COLUMNS * latch + column));
    }
    nextLit = (uint8_t)(1 << column);
}

ISR(TIMER1_COMPA_vect)
{
    PORTC = 0;
    // A latch is transparent: only the last value before Portb drops may show.
    PORTD = 0x2A;
    PORTB = 1;
    PORTD = nextRows[0];
    PORTB = 0;
    PORTD = 0x2A;
    PORTB = 2;
    PORTD = nextRows[1];
    PORTB = 0;
    // Every latch holds now: this must not reach the board.
    PORTD = 0x7F;
    PORTC = nextLit;

    // Once only, latch 1 changes while column 2 is lit.
    if (refresh == 4 && column == 2) {
        PORTD = 0x55;
        PORTB = 2;
        PORTB = 0;
    }
    if (refresh == 16 && column == 2) {
        stayAwake = 1;
    }
    if (++column == COLUMNS) {
        column = 0;
        ++refresh;
        picture = (uint8_t)((refresh / 3) & 1);
    }
    PrepareColumn();
}

int main(void)
{
    DDRB = 0xFF;
    DDRC = 0x1F;
    DDRD = 0xFF;
    OCR1A = F_CPU / 200 - 1;
    TCCR1B = (1 << WGM12) | (1 << CS10);
    TIMSK = 1 << OCIE1A;
    set_sleep_mode(SLEEP_MODE_IDLE);
    PrepareColumn();
    sleep_enable();
    sei();
    for (;;) {
        sleep_cpu();
        if (stayAwake) {
            stayAwake = 0;
            _delay_loop_2(2000); // 8000 cycles
        }
    }
}
