/* The sign data the host appends right after the engine's image in flash.
 * All numbers are little-endian.
 *
 *   +0  u16  number of shows (1 or more)
 *   +2  u8   number of latches (1 to 8)
 *   +3  one record of kShowRecordSize bytes per show, in the order shown:
 *       +0 u16 flash address of the show's column table
 *       +2 u16 number of steps
 *       +4 u16 table index of latch 0's first column at step 0
 *       +6 u8  motion (kMotion...)
 *       +7 u8  refreshes of step 0
 *       +8 u8  refreshes of every later step
 *   then the column tables.
 *
 * During step S, latch h shows in column c the table byte at
 * index + 5h + c, where index moves by the step for the horizontal motions,
 * and the byte is shifted by S rows for the vertical ones. Every index a show
 * reads lies inside its table: the host pads the table to cover them.
 */
#ifndef CORVANE_SIGN_DATA_H
#define CORVANE_SIGN_DATA_H

#define kShowRecordSize 9
#define kSignHeaderSize 3

#define kMotionForward 0  /* index + S: scrolls left */
#define kMotionBackward 1 /* index - S: scrolls right */
#define kMotionRowsUp 2   /* byte << S */
#define kMotionRowsDown 3 /* byte >> S */

#endif
