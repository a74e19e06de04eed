#include "editor/glyphs/GlyphEditorDialog.h"

#include "editor/glyphs/GlyphGrid.h"
#include "sign/ExtendedGlyphs.h"
#include "sign/Windows1252.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace corvane {

namespace {

constexpr int kDrawingDotSize = 30;
// The board preview's LEDs are about this far apart.
constexpr int kBoardDotSize = 8;

GlyphColumnBytes BuiltInColumns(unsigned char code)
{
    GlyphColumnBytes columns{};
    std::ranges::copy(GlyphColumns(code), columns.begin());
    return columns;
}

// "é   (233)"; the spaces by name.
QString CharacterItem(unsigned char code)
{
    QString shown = QString::fromStdString(CharacterUtf8(code));
    if (code == ' ') {
        shown = GlyphEditorDialog::tr("space");
    } else if (code == 0xA0) {
        shown = GlyphEditorDialog::tr("no-break space");
    } else if (code == 0xAD) {
        shown = GlyphEditorDialog::tr("soft hyphen");
    }
    return QStringLiteral("%1   (%2)").arg(shown).arg(code);
}

QWidget* Captioned(const QString& caption, QWidget* shown, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption, box);
    label->setBuddy(shown);
    layout->addWidget(label);
    layout->addWidget(shown, 0, Qt::AlignLeft);
    layout->addStretch();
    return box;
}

} // namespace

GlyphEditorDialog::GlyphEditorDialog(QWidget* parent)
    : QDialog(parent), m_character(new QComboBox(this)),
      m_grid(new GlyphGrid(kDrawingDotSize, true, this)),
      m_builtIn(new GlyphGrid(kBoardDotSize, false, this)),
      m_drawn(new GlyphGrid(kBoardDotSize, false, this)), m_state(new QLabel(this)),
      m_symbol(new QComboBox(this)),
      m_useBuiltIn(new QPushButton(tr("Use the &Built-in Glyph"), this))
{
    setObjectName(QStringLiteral("glyphEditor"));
    setWindowTitle(tr("Glyphs"));
    m_character->setObjectName(QStringLiteral("glyphCharacter"));
    m_grid->setObjectName(QStringLiteral("glyphGrid"));
    m_grid->setToolTip(tr("Click a dot, or move with the arrow keys and press Space"));
    m_builtIn->setObjectName(QStringLiteral("builtInGlyph"));
    m_drawn->setObjectName(QStringLiteral("drawnGlyph"));
    m_state->setObjectName(QStringLiteral("glyphState"));
    m_symbol->setObjectName(QStringLiteral("glyphSymbol"));
    m_useBuiltIn->setObjectName(QStringLiteral("useBuiltInGlyph"));
    m_useBuiltIn->setAutoDefault(false);

    for (unsigned code = kFirstGlyphCode; code <= 255; ++code) {
        if (HasGlyph(static_cast<unsigned char>(code))) {
            m_character->addItem(CharacterItem(static_cast<unsigned char>(code)), code);
        }
    }
    for (const ReadyMadeSymbol& symbol : ReadyMadeSymbols()) {
        m_symbol->addItem(
            QString::fromUtf8(symbol.name.data(), static_cast<qsizetype>(symbol.name.size())));
    }
    auto* place = new QPushButton(tr("&Place Symbol"), this);
    place->setObjectName(QStringLiteral("placeSymbol"));
    place->setAutoDefault(false);

    auto* characterLabel = new QLabel(tr("&Character:"), this);
    characterLabel->setBuddy(m_character);
    auto* symbolLabel = new QLabel(tr("&Start from:"), this);
    symbolLabel->setBuddy(m_symbol);
    auto* top = new QGridLayout;
    top->addWidget(characterLabel, 0, 0);
    top->addWidget(m_character, 0, 1);
    top->addWidget(symbolLabel, 1, 0);
    top->addWidget(m_symbol, 1, 1);
    top->addWidget(place, 1, 2);

    auto* boardScale = new QVBoxLayout;
    boardScale->addWidget(Captioned(tr("Built-in"), m_builtIn, this));
    boardScale->addWidget(Captioned(tr("Drawn, on the board"), m_drawn, this));
    boardScale->addWidget(m_useBuiltIn);
    boardScale->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(Captioned(tr("&Dots:"), m_grid, this));
    middle->addLayout(boardScale);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(m_state);
    layout->addWidget(buttons);

    connect(m_character, &QComboBox::currentIndexChanged, this, &GlyphEditorDialog::showCode);
    connect(m_grid, &GlyphGrid::edited, this, &GlyphEditorDialog::draw);
    connect(m_useBuiltIn, &QPushButton::clicked, this, [this] { draw(BuiltInColumns(code())); });
    connect(place, &QPushButton::clicked, this, [this] {
        const auto symbols = ReadyMadeSymbols();
        const auto index = static_cast<std::size_t>(std::max(0, m_symbol->currentIndex()));
        if (index < symbols.size()) {
            draw(symbols[index].columns);
        }
    });
    selectCode('A');
    showCode();
    m_grid->setFocus();
}

void GlyphEditorDialog::showFont(const Font& font)
{
    m_font = font;
    showCode();
}

unsigned char GlyphEditorDialog::code() const
{
    return static_cast<unsigned char>(m_character->currentData().toUInt());
}

void GlyphEditorDialog::selectCode(unsigned char code)
{
    const int index = m_character->findData(static_cast<unsigned>(code));
    if (index >= 0) {
        m_character->setCurrentIndex(index);
    }
}

void GlyphEditorDialog::showCode()
{
    const unsigned char shown = code();
    GlyphColumnBytes columns{};
    std::ranges::copy(m_font.columns(shown), columns.begin());
    m_grid->setColumns(columns);
    m_drawn->setColumns(columns);
    m_builtIn->setColumns(BuiltInColumns(shown));
    const bool drawn = m_font.isDrawn(shown);
    m_useBuiltIn->setEnabled(drawn);
    m_state->setText(drawn ? tr("This program draws %1 in its own way.")
                                 .arg(QString::fromStdString(CharacterUtf8(shown)))
                           : tr("%1 is shown as the built-in font draws it.")
                                 .arg(QString::fromStdString(CharacterUtf8(shown))));
}

void GlyphEditorDialog::draw(const GlyphColumnBytes& columns)
{
    const unsigned char drawnCode = code();
    DrawnGlyphs glyphs = m_font.drawn();
    glyphs[drawnCode] = columns;
    m_font = Font(glyphs);
    showCode();
    emit glyphDrawn(drawnCode, columns);
}

} // namespace corvane
