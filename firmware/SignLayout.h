/* What the sign engine (engine/, C11 for avr-gcc) and the host that links its
 * sign data (generator/Firmware.cpp, C++20) agree on: the clock, the column
 * period and the layout of the sign data.
 *
 * The sign data follows the engine's image in flash. All numbers are
 * little-endian.
 *
 *   header:           +0  u16 number of shows (1 or more)
 *                     +2  u8  number of latches (1 to 8)
 *                     +3  u8  brightness: the lit eighths of each column's
 *                             period (1 to 8)
 *   one record per show, in the order shown, right after the header:
 *                     +0  u16 flash address of the show's column table
 *                     +2  u16 number of steps
 *                     +4  u16 table index of latch 0's first column at step 0
 *                     +6  u8  motion (kMotion...)
 *                     +7  u8  flags (kShowFlag...)
 *                     +8  u8  refreshes of step 0
 *                     +9  u8  refreshes of every later step
 *                     +10 u16 the held step ...
 *                     +12 u16 ... and its refreshes instead of the usual
 *                             ones; 0: no step is held
 *   then the column tables.
 *
 * During step S, latch h shows in column c the table byte at
 * index + 5h + c, where index moves by the step for the horizontal motions,
 * and the byte is shifted by S rows for the vertical ones; a blinking show is
 * dark during every odd step. Every step lasts one refresh or more, and every
 * index a show reads lies inside its table: the host pads the table to cover
 * them.
 */
#ifndef CORVANE_SIGN_LAYOUT_H
#define CORVANE_SIGN_LAYOUT_H

/* The version of the layout above; the engine and the host each check that
 * it is the one they read and write. */
#define CORVANE_SIGN_FORMAT 2

/* The ATmega8's factory-set internal oscillator. */
#define CORVANE_CLOCK_HZ 1000000UL
/* A refresh, the unit of the sign data's durations, lasts as long as one of
 * the BASCOM program of the same list: five columns of 5 ms. */
#define CORVANE_REFRESH_CYCLES (CORVANE_CLOCK_HZ / 40)
/* The columns every latch shares, lit one at a time. */
#define CORVANE_COLUMNS 5
/* The engine scans the five columns this many times per refresh, so that the
 * board is repainted 200 times a second. */
#define CORVANE_SCANS_PER_REFRESH 5
/* How long each column is the lit one: 1 ms. */
#define CORVANE_COLUMN_CYCLES                                                                      \
    (CORVANE_REFRESH_CYCLES / (CORVANE_COLUMNS * CORVANE_SCANS_PER_REFRESH))

/* The brightness steps; the highest lights a column for its whole period but
 * the dark moment of latching the next one. */
#define CORVANE_BRIGHTNESS_STEPS 8

#if CORVANE_COLUMN_CYCLES * CORVANE_COLUMNS * CORVANE_SCANS_PER_REFRESH != CORVANE_REFRESH_CYCLES
#error "a refresh must be a whole number of column periods"
#endif

#ifdef __AVR__
#ifndef F_CPU
#define F_CPU CORVANE_CLOCK_HZ
#elif F_CPU != CORVANE_CLOCK_HZ
#error "F_CPU is not the sign's clock"
#endif
#endif

#ifdef __cplusplus
namespace corvane::sign {
#endif

/* Offsets and sizes in bytes. */
enum
{
    kSignShowCountOffset = 0,
    kSignShowCountSize = 2,
    kSignLatchCountOffset = 2,
    kSignLatchCountSize = 1,
    kSignBrightnessOffset = 3,
    kSignBrightnessSize = 1,
    kSignHeaderSize = 4,

    kShowTableAddressOffset = 0,
    kShowTableAddressSize = 2,
    kShowStepCountOffset = 2,
    kShowStepCountSize = 2,
    kShowFirstIndexOffset = 4,
    kShowFirstIndexSize = 2,
    kShowMotionOffset = 6,
    kShowMotionSize = 1,
    kShowFlagsOffset = 7,
    kShowFlagsSize = 1,
    kShowFirstRefreshesOffset = 8,
    kShowFirstRefreshesSize = 1,
    kShowRefreshesOffset = 9,
    kShowRefreshesSize = 1,
    kShowHeldStepOffset = 10,
    kShowHeldStepSize = 2,
    kShowHeldRefreshesOffset = 12,
    kShowHeldRefreshesSize = 2,
    kShowRecordSize = 14
};

enum
{
    kMotionForward = 0,  /* index + S: scrolls left */
    kMotionBackward = 1, /* index - S: scrolls right */
    kMotionRowsUp = 2,   /* byte << S */
    kMotionRowsDown = 3, /* byte >> S */
    kMotionStill = 4     /* index and byte as they are */
};

enum
{
    kShowFlagBlink = 1 /* every odd step dark: all latches 0 */
};

#ifdef __cplusplus
} /* namespace corvane::sign */
#endif

#endif
