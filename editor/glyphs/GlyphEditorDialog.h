#pragma once

#include "sign/Font.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace corvane {

class GlyphGrid;

// Glyphs of one's own: picks a character the font shows and draws its five
// columns of seven dots, by mouse or keyboard, seen at board scale beside the
// built-in glyph. A ready-made symbol can be placed on the character to start
// from, and "Use the Built-in Glyph" takes the drawing back. Every change is
// reported at once; the window makes it a step of the program.
class GlyphEditorDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GlyphEditorDialog)

public:
    explicit GlyphEditorDialog(QWidget* parent = nullptr);
    ~GlyphEditorDialog() override = default;

    // The program's font, shown for the chosen character.
    void showFont(const Font& font);
    unsigned char code() const;
    void selectCode(unsigned char code);
    GlyphGrid& grid() const { return *m_grid; }

signals:
    void glyphDrawn(unsigned char code, const GlyphColumnBytes& columns);

private:
    void showCode();
    void draw(const GlyphColumnBytes& columns);

    Font m_font;
    QComboBox* m_character = nullptr;
    GlyphGrid* m_grid = nullptr;
    GlyphGrid* m_builtIn = nullptr;
    GlyphGrid* m_drawn = nullptr;
    QLabel* m_state = nullptr;
    QComboBox* m_symbol = nullptr;
    QPushButton* m_useBuiltIn = nullptr;
};

} // namespace corvane
