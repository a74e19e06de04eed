#include "editor/preview/BoardView.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace corvane {

namespace {

// The board's edge around the outer LEDs.
constexpr int kMargin = BoardView::kPitch / 2;

} // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

BoardView::~BoardView() = default;

void BoardView::setFrame(std::span<const std::uint8_t> columns)
{
    if (std::ranges::equal(columns, m_columns)) {
        return;
    }
    const bool resized = columns.size() != m_columns.size();
    m_columns.assign(columns.begin(), columns.end());
    if (resized) {
        updateGeometry();
    }
    update();
}

QSize BoardView::sizeHint() const
{
    return {static_cast<int>(m_columns.size()) * kPitch + 2 * kMargin,
            kRowCount * kPitch + 2 * kMargin};
}

void BoardView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(kBoardColour));
    const QPixmap& lit = ledPixmap(true);
    const QPixmap& unlit = ledPixmap(false);
    for (std::size_t column = 0; column < m_columns.size(); ++column) {
        const int left = kMargin + static_cast<int>(column) * kPitch;
        for (int row = 0; row < kRowCount; ++row) {
            const bool on = (m_columns[column] >> (kRowCount - 1 - row)) & 1U;
            painter.drawPixmap(left, kMargin + row * kPitch, on ? lit : unlit);
        }
    }
}

const QPixmap& BoardView::ledPixmap(bool lit)
{
    QPixmap& led = lit ? m_litLed : m_unlitLed;
    const qreal ratio = devicePixelRatioF();
    if (led.isNull() || led.devicePixelRatio() != ratio) {
        led = QPixmap(QSize(kPitch, kPitch) * ratio);
        led.setDevicePixelRatio(ratio);
        led.fill(QColor(kBoardColour));
        QPainter painter(&led);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(lit ? kLitColour : kUnlitColour));
        constexpr qreal kInset = (kPitch - kLedDiameter) / 2.0;
        painter.drawEllipse(QRectF(kInset, kInset, kLedDiameter, kLedDiameter));
    }
    return led;
}

} // namespace corvane
