/* What the sign engine (engine/, C11 for avr-gcc) and the host that links its
 * sign data (generator/Firmware.cpp, C++20) agree on: the clock, the column
 * period and the layout of the sign data.
 *
 * The sign data follows the engine's image in flash. All numbers are
 * little-endian.
 *
 *   header:           +0 u16 number of shows (1 or more)
 *                     +2 u8  number of latches (1 to 8)
 *   one record per show, in the order shown, right after the header:
 *                     +0 u16 flash address of the show's column table
 *                     +2 u16 number of steps
 *                     +4 u16 table index of latch 0's first column at step 0
 *                     +6 u8  motion (kMotion...)
 *                     +7 u8  refreshes of step 0
 *                     +8 u8  refreshes of every later step
 *   then the column tables.
 *
 * During step S, latch h shows in column c the table byte at
 * index + 5h + c, where index moves by the step for the horizontal motions,
 * and the byte is shifted by S rows for the vertical ones. Every index a show
 * reads lies inside its table: the host pads the table to cover them.
 */
#ifndef CORVANE_SIGN_LAYOUT_H
#define CORVANE_SIGN_LAYOUT_H

/* The version of the layout above; the engine and the host each check that
 * it is the one they read and write. */
#define CORVANE_SIGN_FORMAT 1

/* The ATmega8's factory-set internal oscillator. */
#define CORVANE_CLOCK_HZ 1000000UL
/* A refresh, the unit of the sign data's durations, lasts as long as one of
 * the BASCOM program of the same list: five columns of 5 ms. */
#define CORVANE_REFRESH_CYCLES (CORVANE_CLOCK_HZ / 40)
/* The columns every latch shares, lit one at a time. */
#define CORVANE_COLUMNS 5
/* The engine scans the five columns this many times per refresh. */
#define CORVANE_SCANS_PER_REFRESH 1
/* How long each column is the lit one. */
#define CORVANE_COLUMN_CYCLES                                                                      \
    (CORVANE_REFRESH_CYCLES / (CORVANE_COLUMNS * CORVANE_SCANS_PER_REFRESH))

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
    kSignHeaderSize = 3,

    kShowTableAddressOffset = 0,
    kShowTableAddressSize = 2,
    kShowStepCountOffset = 2,
    kShowStepCountSize = 2,
    kShowFirstIndexOffset = 4,
    kShowFirstIndexSize = 2,
    kShowMotionOffset = 6,
    kShowMotionSize = 1,
    kShowFirstRefreshesOffset = 7,
    kShowFirstRefreshesSize = 1,
    kShowRefreshesOffset = 8,
    kShowRefreshesSize = 1,
    kShowRecordSize = 9
};

enum
{
    kMotionForward = 0,  /* index + S: scrolls left */
    kMotionBackward = 1, /* index - S: scrolls right */
    kMotionRowsUp = 2,   /* byte << S */
    kMotionRowsDown = 3  /* byte >> S */
};

#ifdef __cplusplus
} /* namespace corvane::sign */
#endif

#endif
