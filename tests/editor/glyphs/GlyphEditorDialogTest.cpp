#include "editor/glyphs/GlyphEditorDialog.h"

#include "editor/glyphs/GlyphGrid.h"
#include "sign/ExtendedGlyphs.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace corvane {

// The glyph editor draws by keyboard and mouse, places a ready-made symbol and
// goes back to the built-in glyph, reporting each drawing for its character.
class GlyphEditorDialogTest final : public QObject
{
    Q_OBJECT

private:
    static GlyphColumnBytes BuiltIn(unsigned char code)
    {
        GlyphColumnBytes columns{};
        std::ranges::copy(GlyphColumns(code), columns.begin());
        return columns;
    }
    static GlyphColumnBytes Drawn(const QSignalSpy& spy, qsizetype at)
    {
        return spy.at(at).at(1).value<GlyphColumnBytes>();
    }

private slots:
    void drawsByKeyboardAndMouseAndGoesBack()
    {
        GlyphEditorDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy drawn(&dialog, &GlyphEditorDialog::glyphDrawn);
        dialog.selectCode(0xE9);
        auto* useBuiltIn = dialog.findChild<QPushButton*>(QStringLiteral("useBuiltInGlyph"));
        QVERIFY(!useBuiltIn->isEnabled());

        // Two to the right, one down: column 2, row 1 (bit 5).
        GlyphGrid& grid = dialog.grid();
        grid.setFocus();
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space}) {
            QTest::keyClick(&grid, key);
        }
        QCOMPARE(drawn.size(), 1);
        QCOMPARE(drawn.at(0).at(0).value<unsigned char>(), static_cast<unsigned char>(0xE9));
        GlyphColumnBytes expected = BuiltIn(0xE9);
        expected[2] ^= 0x20;
        QCOMPARE(Drawn(drawn, 0), expected);
        QVERIFY(useBuiltIn->isEnabled());

        // A click on the bottom right dot: column 4, bit 0.
        const QSize size = grid.sizeHint();
        QTest::mouseClick(&grid, Qt::LeftButton, {},
                          QPoint(size.width() * 10 / 12, size.height() * 14 / 16));
        expected[4] ^= 0x01;
        QCOMPARE(Drawn(drawn, 1), expected);

        dialog.findChild<QComboBox*>(QStringLiteral("glyphSymbol"))->setCurrentIndex(0);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("placeSymbol")),
                          Qt::LeftButton);
        QCOMPARE(Drawn(drawn, 2), ReadyMadeSymbols().front().columns);
        QCOMPARE(grid.columns(), ReadyMadeSymbols().front().columns);

        QTest::mouseClick(useBuiltIn, Qt::LeftButton);
        QCOMPARE(Drawn(drawn, 3), BuiltIn(0xE9));
        QVERIFY(!useBuiltIn->isEnabled());

        // The program's font is shown for each character chosen.
        dialog.showFont(Font(DrawnGlyphs{{'A', expected}}));
        dialog.selectCode('A');
        QCOMPARE(grid.columns(), expected);
        QVERIFY(useBuiltIn->isEnabled());
    }
};

} // namespace corvane

QTEST_MAIN(corvane::GlyphEditorDialogTest)
#include "GlyphEditorDialogTest.moc"
