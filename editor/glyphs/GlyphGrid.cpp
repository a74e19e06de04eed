#include "editor/glyphs/GlyphGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace corvane {

namespace {

constexpr int kRows = 7;
constexpr int kColumns = static_cast<int>(kGlyphColumnCount);

// Bit 6 is the top row, bit 0 the bottom one.
std::uint8_t RowBit(int row)
{
    return static_cast<std::uint8_t>(1U << static_cast<unsigned>(kRows - 1 - row));
}

} // namespace

GlyphGrid::GlyphGrid(int dotSize, bool editable, QWidget* parent)
    : QWidget(parent), m_dotSize(dotSize), m_editable(editable)
{
    setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void GlyphGrid::setColumns(const GlyphColumnBytes& columns)
{
    if (columns != m_columns) {
        m_columns = columns;
        update();
    }
}

QSize GlyphGrid::sizeHint() const
{
    // One dot of dark board around the glyph, as the gap column leaves it.
    return {(kColumns + 1) * m_dotSize, (kRows + 1) * m_dotSize};
}

void GlyphGrid::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(20, 16, 16));
    const int margin = m_dotSize / 2;
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < kRows; ++row) {
            const bool lit = (m_columns[static_cast<std::size_t>(column)] & RowBit(row)) != 0;
            const QRectF dot(margin + column * m_dotSize + m_dotSize * 0.1,
                             margin + row * m_dotSize + m_dotSize * 0.1, m_dotSize * 0.8,
                             m_dotSize * 0.8);
            painter.setPen(Qt::NoPen);
            painter.setBrush(lit ? QColor(255, 60, 40) : QColor(70, 30, 30));
            painter.drawEllipse(dot);
            if (m_editable && hasFocus() && column == m_column && row == m_row) {
                painter.setBrush(Qt::NoBrush);
                painter.setPen(QPen(QColor(250, 230, 120), 2));
                painter.drawRect(dot.adjusted(-2, -2, 2, 2));
            }
        }
    }
}

void GlyphGrid::mousePressEvent(QMouseEvent* event)
{
    if (!m_editable || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int margin = m_dotSize / 2;
    const QPoint at = event->position().toPoint() - QPoint(margin, margin);
    const int column = at.x() / m_dotSize;
    const int row = at.y() / m_dotSize;
    if (at.x() >= 0 && at.y() >= 0 && column < kColumns && row < kRows) {
        m_column = column;
        m_row = row;
        toggle(column, row);
    }
}

void GlyphGrid::keyPressEvent(QKeyEvent* event)
{
    if (!m_editable) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        m_column = std::max(0, m_column - 1);
        break;
    case Qt::Key_Right:
        m_column = std::min(kColumns - 1, m_column + 1);
        break;
    case Qt::Key_Up:
        m_row = std::max(0, m_row - 1);
        break;
    case Qt::Key_Down:
        m_row = std::min(kRows - 1, m_row + 1);
        break;
    case Qt::Key_Space:
        toggle(m_column, m_row);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
}

void GlyphGrid::toggle(int column, int row)
{
    m_columns[static_cast<std::size_t>(column)] ^= RowBit(row);
    update();
    emit edited(m_columns);
}

} // namespace corvane
