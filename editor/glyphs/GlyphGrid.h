#pragma once

#include "sign/Font.h"

#include <QWidget>

namespace corvane {

// A glyph's five columns of seven dots, lit as on the board. An editable grid
// takes a click on a dot, or the arrow keys and Space, to switch it; the dot
// under the keyboard is framed while the grid has the focus.
class GlyphGrid final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GlyphGrid)

public:
    GlyphGrid(int dotSize, bool editable, QWidget* parent = nullptr);
    ~GlyphGrid() override = default;

    const GlyphColumnBytes& columns() const { return m_columns; }
    void setColumns(const GlyphColumnBytes& columns);
    // The dot the keyboard is at: column 0 at the left, row 0 at the top.
    int cursorColumn() const { return m_column; }
    int cursorRow() const { return m_row; }

    QSize sizeHint() const override;

signals:
    // The user switched a dot.
    void edited(const GlyphColumnBytes& columns);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void toggle(int column, int row);

    GlyphColumnBytes m_columns{};
    int m_dotSize = 0;
    bool m_editable = false;
    int m_column = 0;
    int m_row = 0;
};

} // namespace corvane
