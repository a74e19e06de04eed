#pragma once

#include "sign/Board.h"

#include <QPixmap>
#include <QRgb>
#include <QWidget>
#include <cstdint>
#include <span>
#include <vector>

class QPaintEvent;

namespace corvane {

// The LED board: one round LED per column and row at a fixed pitch, lit ones
// bright red on a dark board.
class BoardView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardView)

public:
    static constexpr int kRowCount = Board::kRowCount;
    static constexpr int kPitch = 12;
    static constexpr int kLedDiameter = 9;
    static constexpr QRgb kBoardColour = qRgb(18, 14, 14);
    static constexpr QRgb kLitColour = qRgb(255, 40, 32);
    static constexpr QRgb kUnlitColour = qRgb(72, 10, 10);

    explicit BoardView(QWidget* parent = nullptr);
    ~BoardView() override;

    // The lit rows of each column, left to right; bit 0 is the bottom row.
    // Schedules a repaint only when the frame differs from the one shown.
    void setFrame(std::span<const std::uint8_t> columns);
    std::span<const std::uint8_t> frame() const { return m_columns; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // One LED on its patch of board, drawn once per device pixel ratio.
    const QPixmap& ledPixmap(bool lit);

    std::vector<std::uint8_t> m_columns{};
    QPixmap m_litLed{};
    QPixmap m_unlitLed{};
};

} // namespace corvane
