/* Corvane's sign engine for the ATmega8 at 1 MHz (internal oscillator).
 *
 * It drives the board as the BASCOM programs Corvane writes do: Portd carries
 * the seven rows of one column (bit 0 the bottom row), a high-then-low pulse
 * on Portb bit h latches Portd into 74573 latch h, and Portc bits 0 to 4 light
 * one of the five columns all latches share. The shows to play come as data
 * after the engine (SignLayout.h); the engine holds no message of its own.
 *
 * Timing: Timer1 interrupts once every column period (CORVANE_COLUMN_CYCLES,
 * 5 ms). The interrupt (column.S) darkens the board, latches the column the
 * main loop prepared and lights it, in a fixed number of cycles whatever the
 * latch count. The main loop prepares the next column and sleeps until the
 * interrupt has taken it.
 */
#include "SignLayout.h"

#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/sleep.h>
#include <stdint.h>

#if CORVANE_SIGN_FORMAT != 1
#error "the engine reads sign data of format 1"
#endif

#define kLatchSlots 8
#define kColumns CORVANE_COLUMNS

/* The linker's end of the engine's image in flash, where the sign data starts. */
extern const uint8_t __data_load_end[];

/* The column the interrupt lights next: rows and strobe of each latch slot,
 * interleaved, then the Portc scan bit. A slot past the board's latches has
 * strobe 0, so the interrupt always runs the same instructions. */
volatile uint8_t g_nextColumn[2 * kLatchSlots + 1];
/* 1 while g_nextColumn waits for the interrupt; the interrupt clears it. */
volatile uint8_t g_columnPending;

static void publishColumn(uint8_t scan)
{
    g_nextColumn[2 * kLatchSlots] = scan;
    g_columnPending = 1;
    cli();
    while (g_columnPending) {
        /* sei takes effect after the next instruction, so no interrupt can
         * slip in between the test and the sleep. */
        sleep_enable();
        sei();
        sleep_cpu();
        sleep_disable();
        cli();
    }
    sei();
}

static void playShow(uint16_t record, uint8_t latches)
{
    const uint16_t table = pgm_read_word(record + kShowTableAddressOffset);
    const uint16_t steps = pgm_read_word(record + kShowStepCountOffset);
    const uint16_t firstIndex = pgm_read_word(record + kShowFirstIndexOffset);
    const uint8_t motion = pgm_read_byte(record + kShowMotionOffset);
    uint8_t refreshes = pgm_read_byte(record + kShowFirstRefreshesOffset);
    const uint8_t laterRefreshes = pgm_read_byte(record + kShowRefreshesOffset);

    for (uint16_t step = 0; step < steps; ++step) {
        uint16_t index = firstIndex;
        if (motion == kMotionForward) {
            index += step;
        } else if (motion == kMotionBackward) {
            index -= step;
        }
        for (uint8_t refresh = 0; refresh < refreshes; ++refresh) {
            for (uint8_t column = 0; column < kColumns; ++column) {
                uint16_t address = table + index + column;
                for (uint8_t latch = 0; latch < latches; ++latch) {
                    uint8_t rows = pgm_read_byte(address);
                    if (motion == kMotionRowsUp) {
                        rows = (uint8_t)(rows << step);
                    } else if (motion == kMotionRowsDown) {
                        rows = (uint8_t)(rows >> step);
                    }
                    g_nextColumn[2 * latch] = rows;
                    address += kColumns;
                }
                publishColumn((uint8_t)(1u << column));
            }
        }
        refreshes = laterRefreshes;
    }
}

int main(void)
{
    DDRB = 0xFF;
    DDRC = 0xFF;
    DDRD = 0xFF;

    const uint16_t sign = (uint16_t)__data_load_end;
    const uint16_t shows = pgm_read_word(sign + kSignShowCountOffset);
    uint8_t latches = pgm_read_byte(sign + kSignLatchCountOffset);
    if (latches > kLatchSlots) {
        latches = kLatchSlots; /* g_nextColumn holds no more */
    }
    for (uint8_t latch = 0; latch < latches; ++latch) {
        g_nextColumn[2 * latch + 1] = (uint8_t)(1u << latch);
    }

    OCR1A = CORVANE_COLUMN_CYCLES - 1;
    TCCR1A = 0;
    TCCR1B = _BV(WGM12) | _BV(CS10); /* clear on compare match, no prescaler */
    TIMSK = _BV(OCIE1A);
    set_sleep_mode(SLEEP_MODE_IDLE);
    sei();

    for (;;) {
        uint16_t record = sign + kSignHeaderSize;
        for (uint16_t show = 0; show < shows; ++show) {
            playShow(record, latches);
            record += kShowRecordSize;
        }
    }
}
