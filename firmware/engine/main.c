/* Corvane's sign engine for the ATmega8 at 1 MHz (internal oscillator).
 *
 * It drives the board as the BASCOM programs Corvane writes do: Portd carries
 * the seven rows of one column (bit 0 the bottom row), a high-then-low pulse
 * on Portb bit h latches Portd into 74573 latch h, and Portc bits 0 to 4 light
 * one of the five columns all latches share. The shows to play come as data
 * after the engine (SignLayout.h); the engine holds no message of its own.
 *
 * Timing: Timer1 counts column periods of CORVANE_COLUMN_CYCLES (1 ms), five
 * scans of the five columns per refresh of the BASCOM program, so a picture
 * lasts what it lasts there while the board is repainted 200 times a second.
 * At the start of each period the compare A interrupt (column.S) latches the
 * column the main loop prepared, the board dark, in a fixed number of cycles
 * whatever the latch count. At full brightness it lights the column too.
 * Below it, compare B ends the shorter of the lit and the dark part of the
 * period: below half brightness A lights the column and B darkens it, from
 * half on A leaves it dark and B lights it, so that the column is lit for its
 * brightness's eighths of the period. The main loop prepares the next column
 * in the longer part, after B (after A at full brightness), where no
 * interrupt falls: both find the core asleep and so come exactly on time.
 */
#include "SignLayout.h"

#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/sleep.h>
#include <stdint.h>

#if CORVANE_SIGN_FORMAT != 2
#error "the engine reads sign data of format 2"
#endif

#define kLatchSlots 8
#define kColumns CORVANE_COLUMNS
#define kFullBrightness CORVANE_BRIGHTNESS_STEPS
/* Cycles from its compare match to the out that lights the column in the
 * compare A interrupt (column.S), and to the one that darkens it, each less
 * those to the out in the compare B interrupt: B's match comes that much
 * later than the start or the end of the lit part it makes. */
#define kLightingLag 95
#define kDarkeningLag 78
/* Cycles from starting Timer1 to its first compare A. */
#define kStartLead 100

/* Timer1 starts past every compare B, so that compare A comes first. */
#if CORVANE_COLUMN_CYCLES - kStartLead <= CORVANE_COLUMN_CYCLES / 2 + kDarkeningLag ||             \
    CORVANE_COLUMN_CYCLES - kStartLead <= CORVANE_COLUMN_CYCLES / 2 + kLightingLag
#error "Timer1 must start past every compare B"
#endif
#if CORVANE_COLUMN_CYCLES > 1000
#error "the board must be repainted at least 200 times a second"
#endif
#if CORVANE_COLUMN_CYCLES % kFullBrightness != 0
#error "each brightness step must be a whole number of cycles"
#endif

/* The linker's end of the engine's image in flash, where the sign data starts. */
extern const uint8_t __data_load_end[];

/* The column the compare A interrupt latches next: the rows of each latch
 * slot, their strobes, then what it puts on Portc once they hold (the scan
 * bit, or 0 to leave the column dark). A slot past the board's latches has
 * strobe 0, so the interrupt always runs the same instructions. */
volatile uint8_t g_nextColumn[2 * kLatchSlots + 1];
/* 1 while g_nextColumn waits for compare A; compare A clears it. */
volatile uint8_t g_columnPending;
/* What compare B puts on Portc: 0, or the scan bit A left dark. */
volatile uint8_t g_portcAtCompareB;
/* Set before compare A, cleared by compare B. */
volatile uint8_t g_awaitingCompareB;
/* The latches the board has, for prepareColumn (column.S). */
uint8_t g_latches;

/* Where publishColumn puts the scan bit: on g_nextColumn's Portc below half
 * brightness and at full, else on g_portcAtCompareB (the other stays 0). */
static volatile uint8_t* s_scanSlot = &g_nextColumn[2 * kLatchSlots];
/* The flag publishColumn sleeps on: compare B's, at full brightness A's. */
static volatile uint8_t* s_partBegins = &g_awaitingCompareB;

/* Each latch's rows into g_nextColumn: its table byte, from address on in
 * steps of five, times factor, the high byte of the product when takeHigh is
 * set, else the low one (column.S). */
void prepareColumn(uint16_t address, uint8_t factor, uint8_t takeHigh);

/* Sleeps until the interrupts have cleared *flag. Sleep stays enabled: the
 * engine sleeps nowhere else. */
static void sleepWhile(volatile uint8_t* flag)
{
    cli();
    while (*flag) {
        /* sei takes effect after the next instruction, so no interrupt can
         * slip in between the test and the sleep. */
        sei();
        sleep_cpu();
        cli();
    }
    sei();
}

/* Hands the prepared column to the interrupts and returns once the longer
 * part of its period begins. */
static void publishColumn(uint8_t scan)
{
    *s_scanSlot = scan;
    g_columnPending = 1;
    g_awaitingCompareB = 1;
    if (TCCR1B == 0) {
        /* The first column: Timer1 starts, its first compare A (and so its
         * first compare B) due once the core sleeps. */
        TCCR1B = _BV(WGM12) | _BV(CS10); /* clear on compare match A, no prescaler */
        TCNT1 = CORVANE_COLUMN_CYCLES - kStartLead;
    }
    sleepWhile(s_partBegins);
}

/* The show being played and its step. Moving on to a step takes only what
 * its first column needs; the rest (how long it lasts, and at a show's
 * start how it moves) is read while its second column is prepared, so that
 * no column has more to do than the first of a step. Every step lasts at
 * least one refresh, five columns. */
static uint16_t s_firstRecord;
static uint16_t s_lastRecord;
static uint16_t s_record;
static uint16_t s_steps;
static uint16_t s_step;
static uint8_t s_motion;
static uint8_t s_blink;
/* Table address of latch 0's first column during the step. */
static uint16_t s_index;
/* byte << S is the low byte of byte * 2^S, byte >> S the high byte of
 * byte * 2^(8 - S) from S = 1 on; past 7 rows nothing is left of it. */
static uint8_t s_factor;
static uint8_t s_takeHigh;
/* s_factor, or 0 on a dark step. */
static uint8_t s_shown;
/* Refreshes of the step still to begin after the one under way. */
static uint16_t s_refreshesLeft;
/* What is left to read of the step: its refreshes, and at a show's start
 * the show's steps and motion. */
#define kReadRefreshes 1
#define kReadShow 2
static uint8_t s_toRead;

static void beginShow(uint16_t record)
{
    s_record = record;
    s_index = pgm_read_word(record + kShowTableAddressOffset) +
              pgm_read_word(record + kShowFirstIndexOffset);
    s_step = 0;
    s_factor = 1;
    s_takeHigh = 0;
    s_shown = 1;
    s_toRead = kReadShow | kReadRefreshes;
}

/* Moves on to the next step, of this show or the next. */
static void beginNextStep(void)
{
    if (++s_step == s_steps) {
        const uint16_t record = s_record;
        beginShow(record == s_lastRecord ? s_firstRecord : record + kShowRecordSize);
        return;
    }
    const uint8_t motion = s_motion;
    if (motion == kMotionForward) {
        ++s_index;
    } else if (motion == kMotionBackward) {
        --s_index;
    } else if (motion == kMotionRowsUp) {
        s_factor <<= 1;
    } else if (motion == kMotionRowsDown) {
        if (s_takeHigh) {
            s_factor >>= 1;
        } else {
            s_factor = 1u << 7;
            s_takeHigh = 1;
        }
    }
    /* kShowFlagBlink is bit 0: dark on odd steps */
    s_shown = (s_blink & (uint8_t)s_step) ? 0 : s_factor;
    s_toRead = kReadRefreshes;
}

/* Reads what beginShow and beginNextStep left for the second column. */
static void readRest(void)
{
    const uint16_t record = s_record;
    if (s_toRead & kReadShow) {
        s_steps = pgm_read_word(record + kShowStepCountOffset);
        s_motion = pgm_read_byte(record + kShowMotionOffset);
        s_blink = pgm_read_byte(record + kShowFlagsOffset) & kShowFlagBlink;
    }
    const uint16_t step = s_step;
    uint16_t refreshes =
        pgm_read_byte(record + (step == 0 ? kShowFirstRefreshesOffset : kShowRefreshesOffset));
    if (step == pgm_read_word(record + kShowHeldStepOffset)) {
        const uint16_t held = pgm_read_word(record + kShowHeldRefreshesOffset);
        if (held != 0) {
            refreshes = held;
        }
    }
    s_refreshesLeft = refreshes - 1;
    s_toRead = 0;
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
    g_latches = latches;
    for (uint8_t latch = 0; latch < latches; ++latch) {
        g_nextColumn[kLatchSlots + latch] = (uint8_t)(1u << latch);
    }
    uint8_t brightness = pgm_read_byte(sign + kSignBrightnessOffset);
    if (brightness == 0 || brightness > kFullBrightness) {
        brightness = kFullBrightness;
    }

    /* Compare A one cycle after TCNT1 reaches OCR1A, when it starts again at
     * 0; compare B when it reaches OCR1B. */
    const uint16_t lit = brightness * (CORVANE_COLUMN_CYCLES / kFullBrightness);
    OCR1A = CORVANE_COLUMN_CYCLES - 1;
    TIMSK = _BV(OCIE1A);
    if (brightness < kFullBrightness / 2) {
        OCR1B = lit + kLightingLag - 1;
        TIMSK |= _BV(OCIE1B);
    } else if (brightness < kFullBrightness) {
        OCR1B = CORVANE_COLUMN_CYCLES - lit + kDarkeningLag - 1;
        TIMSK |= _BV(OCIE1B);
        s_scanSlot = &g_portcAtCompareB;
    } else {
        s_partBegins = &g_columnPending;
    }
    TCCR1A = 0;
    set_sleep_mode(SLEEP_MODE_IDLE);
    sleep_enable();
    sei();

    s_firstRecord = sign + kSignHeaderSize;
    s_lastRecord = s_firstRecord + (shows - 1) * kShowRecordSize;
    beginShow(s_firstRecord);
    uint16_t address = s_index;
    uint8_t bit = 1;
    uint8_t scansLeft = CORVANE_SCANS_PER_REFRESH;
    for (;;) {
        prepareColumn(address, s_shown, s_takeHigh);
        publishColumn(bit);
        if (s_toRead != 0) {
            readRest();
        }
        ++address;
        bit <<= 1;
        if (bit == 1u << kColumns) {
            bit = 1;
            if (--scansLeft == 0) {
                scansLeft = CORVANE_SCANS_PER_REFRESH;
                if (s_refreshesLeft == 0) {
                    beginNextStep();
                } else {
                    --s_refreshesLeft;
                }
            }
            address = s_index;
        }
    }
}
