#pragma once

#include "sign/Board.h"
#include "sign/Message.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane {

// How a message's show moves over time: the numbers of its scroll block. The
// BASCOM writer prints them into the program, the firmware carries them in its
// show records and the board simulator evaluates them, so all follow one rule.
//
// A block runs the steps S = 0 to endValue(). Each step refreshes the board
// refreshes(S) times; one refresh enables the five shared columns in turn for
// 5 ms each, after every latch h has taken the table byte at index
// firstIndex(S, h) + column, shifted by S rows for Up and Down.
//
// A standing message (Still, Blink) runs 10 − speed steps of one second per
// page, its columns centred on the board; a blinking one two steps per
// second instead, lit and dark. A scroll with a pause holds one step longer:
// Left and Right the one where the message is centred on the board (or, when
// longer, its first column at the left edge), Up and Down their first.
class ScrollPlan final
{
public:
    static constexpr int kColumnsPerLatch = Board::kColumnsPerLatch;
    static constexpr int kLastColumn = kColumnsPerLatch - 1; // of a latch's five
    static constexpr int kColumnsPerCharacter = 6;
    static constexpr int kColumnWaitMs = 5;
    static constexpr int kVerticalRefreshFactor = 3;
    static constexpr int kFirstVerticalRefreshFactor = 7;
    static constexpr int kRefreshesPerSecond = 40;
    static constexpr int kStillStepRefreshes = kRefreshesPerSecond;
    static constexpr int kBlinkStepRefreshes = kRefreshesPerSecond / 2;

    // How Portd is shifted before a latch takes it: "Shift Portd , Left , S"
    // moves the rows up, "Shift Portd , Right , S" down.
    enum class RowShift : std::uint8_t
    {
        None,
        Left,
        Right
    };

    // A direction outside 0 to 5 counts as Left, a speed above 9 as 9 and a
    // pause above 9 as 9.
    ScrollPlan(const Message& message, const Board& board);
    // A scroll without a pause.
    ScrollPlan(ScrollDirection direction, int refreshCount, std::size_t textLength,
               const Board& board);

    ScrollDirection direction() const { return m_direction; }
    bool isVertical() const { return IsVertical(m_direction); }
    bool isStanding() const { return IsStanding(m_direction); }
    RowShift rowShift() const;
    int latchCount() const { return m_latchCount; }
    int boardWidth() const { return m_boardWidth; }

    // The last value of S: width + 6 × length − 1 for Left and Right,
    // RowCount − 1 for Up and Down, pages × stepsPerPage() − 1 standing.
    int endValue() const { return m_endValue; }
    int stepCount() const { return m_endValue + 1; }
    // The refresh count (10 − speed), and a standing message's steps per page.
    int refreshCount() const { return m_refreshCount; }
    int stepsPerPage() const;

    // Refreshes of every step after the first, and of the first step, without
    // the pause.
    int stepRefreshes() const;
    int firstStepRefreshes() const;
    int refreshes(int step) const;

    // The pause in seconds, the step it holds (-1 for none) and that step's
    // refreshes with the pause.
    int pause() const { return m_pause; }
    int heldStep() const { return m_heldStep; }
    int heldRefreshes() const;
    // The most refreshes of any step.
    int largestRefreshes() const;

    // Whether the board is dark during the step: a blinking message's odd ones.
    bool isDark(int step) const { return m_direction == ScrollDirection::Blink && step % 2 == 1; }
    // A standing message's pages: table index of latch 0's first column.
    const std::vector<int>& pageStarts() const { return m_pageStarts; }
    int durationMs(int step) const { return refreshes(step) * kColumnsPerLatch * kColumnWaitMs; }

    // "A = I + " offset and Portb strobe value of latch h.
    static int latchOffset(int latch) { return kColumnsPerLatch * latch; }
    static int strobeValue(int latch) { return 1 << latch; }

    // Table index that latch h shows in its first column during step S.
    int firstIndex(int step, int latch) const;
    // The row bits a column shows during step S, given its table byte.
    std::uint8_t rowBits(std::uint8_t tableByte, int step) const;

    // The table indexes the block reads over all its steps: from `first` to
    // one before `end`. Empty for a board without latches.
    struct IndexRange
    {
        long long first = 0;
        long long end = 0;
    };
    IndexRange readIndexes() const;
    // The columns the board shows: the width as chosen, at most the
    // 5 × LatchCount columns the latches drive.
    int shownColumns() const;

    // The largest Lookup index of the block.
    int maxLookupIndex() const;
    // The largest value S, I, M, E or A take, loop exit values included; above
    // 255 they need 16 bits.
    int largestCounterValue() const;

private:
    void placePages(std::string_view text, const Board& board);

    ScrollDirection m_direction = ScrollDirection::Left;
    int m_refreshCount = 1;
    int m_latchCount = 1;
    int m_boardWidth = 0;
    int m_endValue = 0;
    int m_pause = 0;
    int m_heldStep = -1;
    std::vector<int> m_pageStarts;
};

} // namespace corvane
