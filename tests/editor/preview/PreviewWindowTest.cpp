#include "editor/preview/PreviewWindow.h"

#include "editor/model/ItemData.h"
#include "editor/model/preview/PreviewInput.h"
#include "editor/model/preview/PreviewPlayer.h"
#include "editor/preview/BoardView.h"
#include "flashimage/Firmware.h"
#include "sign/GlyphTable.h"
#include "tests/editor/WindowDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

PreviewInput Input(std::string text, int direction, int speed, std::string width = "10")
{
    const auto latches = static_cast<std::uint8_t>((std::stoi(width) + 4) / 5);
    return {
        0, {std::move(text), ScrollDirection(direction), speed}, {std::move(width), latches, 7}};
}

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> bytes)
{
    return {bytes.begin(), bytes.end()};
}

// What the preview must leave alone; the play button's caption and the box's
// focus, which the click on the button itself changes, are left out.
auto EditorState(const MessageEditor& e)
{
    return std::tuple(e.entries(), e.LstMessage().selectedIndex(), e.LstSpeed().selectedIndex(),
                      e.CmbWidth().selectedIndex(), e.OptScroll().selectedIndex(),
                      e.TxtMessage().text(), e.CurIndex(), e.CurSpeed(), e.CurScroll(),
                      e.IsEditing(), e.LatchCount());
}

class PaintCounter final : public QObject
{
    Q_DISABLE_COPY_MOVE(PaintCounter)

public:
    explicit PaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

private:
    int m_count = 0;
};

} // namespace

class PreviewWindowTest final : public QObject, private test::WindowDriver
{
    Q_OBJECT

private:
    PreviewWindow* preview() const { return m_form->findChild<PreviewWindow*>("frmPreview"); }
    BoardView* board() const { return find<BoardView>("board"); }
    const PreviewInput& input() const { return *preview()->player().input(); }
    void clickPlayOne() { QTest::mouseClick(find("CmdPlayOne"), Qt::LeftButton); }
    std::string playCaption() const { return m_form->editor().CmdPlayOne().caption(); }

    // The shown main window with "HI" typed into its first entry.
    void showAndType()
    {
        showLoaded();
        type(QStringLiteral("HI"));
    }

private slots:
    void init() { newWindow(); }
    void cleanup() { m_form.reset(); }

    // One pass is every step of the generated block once; then the board loops.
    void playerLoopsOverOnePass_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("passMs");
        // Left and Right: width + 6 × length steps of (10 − speed) refreshes of 25 ms.
        QTest::newRow("Left speed 5") << 0 << 5 << 22 << 22 * 5 * 25;
        QTest::newRow("Right speed 9") << 1 << 9 << 22 << 22 * 1 * 25;
        // Up and Down: 7 steps, the first of 7 ×, the others of 3 × the refresh count.
        QTest::newRow("Up speed 5") << 2 << 5 << 7 << (7 + 6 * 3) * 5 * 25;
        QTest::newRow("Down speed 0") << 3 << 0 << 7 << (7 + 6 * 3) * 10 * 25;
    }
    void playerLoopsOverOnePass()
    {
        QFETCH(int, direction);
        QFETCH(int, speed);
        QFETCH(int, steps);
        QFETCH(int, passMs);
        PreviewPlayer player;
        QVERIFY(player.setInput(Input("HI", direction, speed)));
        QCOMPARE(player.stepCount(), steps);
        QCOMPARE(player.passDurationMs(), passMs);
        const auto first = Bytes(player.frame());
        QCOMPARE(player.advance(), player.stepDurationMs()); // paused: no step
        QCOMPARE(player.step(), 0);
        player.play();
        long long total = player.stepDurationMs();
        for (int step = 1; step < steps; ++step) {
            total += player.advance();
            QCOMPARE(player.step(), step);
        }
        QCOMPARE(total, passMs);
        player.advance();
        QCOMPARE(player.step(), 0);
        QCOMPARE(Bytes(player.frame()), first);
    }

    void playerRestartsOnlyWhenTheInputChanges()
    {
        PreviewPlayer player;
        player.setInput(Input("HI", 0, 5));
        player.play();
        player.advance();
        QVERIFY(!player.setInput(Input("HI", 0, 5)));
        QCOMPARE(player.step(), 1);
        QVERIFY(player.setInput(Input("HI", 0, 6)));
        QCOMPARE(player.step(), 0);
    }

    // Lit LEDs where the frame's bits are set, bit 6 on the top row.
    void boardPaintsTheFrame()
    {
        BoardView view;
        const auto glyph = GlyphColumns('F');
        view.setFrame(glyph);
        view.resize(view.sizeHint());
        QCOMPARE(view.size(), QSize(6 * BoardView::kPitch, 8 * BoardView::kPitch));
        QImage image(view.size(), QImage::Format_RGB32);
        view.render(&image);
        QCOMPARE(image.pixel(1, 1), BoardView::kBoardColour);
        for (int column = 0; column < 5; ++column) {
            for (int row = 0; row < 7; ++row) {
                const bool lit = (glyph[column] >> (6 - row)) & 1;
                const QPoint centre((column + 1) * BoardView::kPitch,
                                    (row + 1) * BoardView::kPitch);
                QCOMPARE(image.pixel(centre),
                         lit ? BoardView::kLitColour : BoardView::kUnlitColour);
            }
        }
    }

    // Frames are drawn only when they change: the blank lead-in draws once.
    void repaintsOnlyChangedFrames()
    {
        PreviewWindow window;
        window.setInput(Input("  HI", 0, 9)); // lit from step 13 on
        window.showPlaying(false);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintCounter paints(window.findChild<BoardView*>());
        window.showPlaying(true);
        for (int i = 0; i < 12; ++i) {
            window.advance();
        }
        QCoreApplication::processEvents();
        QCOMPARE(paints.count(), 0);
        window.advance();
        QCoreApplication::processEvents();
        QCOMPARE(paints.count(), 1);
    }

    // Play shows the message running in a tool window and leaves the editor,
    // and on a desktop the focus, as they were.
    void playRunsThePreviewAndChangesNothing()
    {
        showAndType();
        QVERIFY(preview() == nullptr);
        const auto before = EditorState(m_form->editor());
        clickPlayOne();
        QCOMPARE(playCaption(), std::string(";"));
        QVERIFY(preview()->isVisible() && preview()->player().isPlaying());
        QCOMPARE(preview()->windowType(), Qt::Tool);
        QVERIFY(preview()->testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(input(), (PreviewInput{0, {"HI", ScrollDirection(0), 5}, {"20", 4, 7}}));
        QWidget* focus = QApplication::focusWidget();

        // Each step is one single shot of the step's length, so none is skipped.
        auto* timer = preview()->findChild<QTimer*>("stepTimer");
        QVERIFY(timer->isActive() && timer->isSingleShot());
        QCOMPARE(timer->interval(), 125);
        QTRY_VERIFY_WITH_TIMEOUT(preview()->player().step() >= 2, 2000);
        for (int i = 0; i < 10; ++i) {
            preview()->advance(); // the driven clock
        }
        QCOMPARE(Bytes(board()->frame()), Bytes(preview()->player().frame()));
        QVERIFY(std::ranges::any_of(board()->frame(), [](auto column) { return column != 0; }));
        QCOMPARE(EditorState(m_form->editor()), before);
        // The offscreen platform activates every window it shows.
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
            QCOMPARE(QApplication::activeWindow(), m_form.get());
            QCOMPARE(QApplication::focusWidget(), focus);
        }
        QCOMPARE(m_form->editor().CmdPlayOne().tooltip(), std::string("Pause current message!"));
    }

    // Pause freezes the frame; closing stops too and sets the button back to
    // play, so the next click shows the window playing.
    void pauseAndCloseStop()
    {
        showAndType();
        clickPlayOne();
        preview()->advance();
        clickPlayOne();
        QCOMPARE(playCaption(), std::string("4"));
        QVERIFY(!preview()->player().isPlaying());
        QVERIFY(!preview()->findChild<QTimer*>("stepTimer")->isActive());
        const auto frozen = Bytes(board()->frame());
        preview()->advance();
        QCOMPARE(preview()->player().step(), 1);
        QCOMPARE(Bytes(board()->frame()), frozen);
        clickPlayOne();
        preview()->advance();
        QCOMPARE(preview()->player().step(), 2);

        QVERIFY(preview()->close());
        QVERIFY(!preview()->player().isPlaying());
        QCOMPARE(playCaption(), std::string("4"));
        QCOMPARE(preview()->player().step(), 2);
        clickPlayOne();
        QVERIFY(preview()->isVisible() && preview()->player().isPlaying());
    }

    // Closing is no click: the button shows play as after a pausing click,
    // and the editor's focus and state stay as they were.
    void closingThePreviewShowsPlayAgain()
    {
        showAndType();
        clickPlayOne();
        const auto before = EditorState(m_form->editor());
        const bool boxFocused = m_form->editor().TxtMessage().hasFocus();
        QVERIFY(preview()->close());
        QCOMPARE(playCaption(), std::string("4"));
        QCOMPARE(find<QPushButton>("CmdPlayOne")->text(), QStringLiteral(u"\u25B6"));
        QCOMPARE(find("CmdPlayOne")->toolTip(), QStringLiteral("Play current message! (F5)"));
        QCOMPARE(EditorState(m_form->editor()), before);
        QCOMPARE(m_form->editor().TxtMessage().hasFocus(), boxFocused);
    }

    // The preview names the message it runs and says when it is paused, and
    // tells how much of the flash the whole list's tables take.
    void saysWhatItShowsAndHowMuchFlashTheTablesTake()
    {
        showAndType();
        clickPlayOne();
        auto* status = find<QLabel>("status");
        auto* flash = find<QLabel>("flashUse");
        QCOMPARE(status->text(), QStringLiteral(u"Text00 \u00B7 Left \u00B7 speed 5"));
        // 4 + 4 blank-column lines and two characters.
        QCOMPARE(flash->text(), QStringLiteral("Data tables: 52 of 8,192 bytes of flash"));
        QVERIFY(flash->palette().color(QPalette::WindowText) != QColor(Qt::red));
        // The firmware's exact size, the one Build Firmware writes.
        auto* firmware = find<QLabel>("firmwareUse");
        const ProgramDocument program = DocumentOf(m_form->editor());
        QCOMPARE(firmware->text(),
                 QString::fromStdString(
                     "Firmware: " + GroupThousands(FirmwareSize(program.entries, program.board)) +
                     " of 8,192 bytes of flash"));
        QVERIFY(firmware->palette().color(QPalette::WindowText) != QColor(Qt::red));
        clickPlayOne();
        QCOMPARE(status->text(),
                 QStringLiteral(u"Text00 \u00B7 Left \u00B7 speed 5 \u00B7 Paused"));

        fillMessages(6);
        QTest::mouseClick(find("OptScroll2"), Qt::LeftButton);
        QCOMPARE(status->text(), QStringLiteral(u"Text05 \u00B7 Up \u00B7 speed 5 \u00B7 Paused"));
        // Five Left tables of 256 × 6 + 40 bytes, the sixth going Up, unpadded.
        QCOMPARE(flash->text(), QStringLiteral("Data tables: 9,416 of 8,192 bytes of flash"));
        QCOMPARE(flash->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(firmware->palette().color(QPalette::WindowText), QColor(Qt::red));
    }

    // Placed beside the main window where there is room, and kept on the
    // screen when the board grows to "40".
    void staysOnScreenWhenTheBoardGrows()
    {
        showAndType();
        const QRect available = m_form->screen()->availableGeometry();
        m_form->move(available.topLeft());
        QTRY_COMPARE(m_form->frameGeometry().topLeft(), available.topLeft());
        clickPlayOne();
        QVERIFY(QTest::qWaitForWindowExposed(preview()));
        QVERIFY(available.contains(preview()->frameGeometry()));
        QVERIFY(preview()->frameGeometry().left() > m_form->frameGeometry().right());

        auto* widths = find<QComboBox>("CmbWidth");
        widths->setFocus();
        QTest::keyClick(widths, Qt::Key_End);
        QCOMPARE(input().board.widthText, std::string("40"));
        QCoreApplication::processEvents();
        const QRect grown = preview()->frameGeometry();
        QCOMPARE(board()->width(), 41 * BoardView::kPitch);
        QVERIFY(available.contains(grown));
        QVERIFY(!grown.intersects(m_form->frameGeometry()));
    }

    // Grown where it stood, by a wider board or the cut warning's line, it
    // would cover the main window: it moves beside it again, on the screen.
    void placedAgainWhenItsSizeChanges()
    {
        showLoaded();
        type(QStringLiteral("Second message"));
        const QRect available = m_form->screen()->availableGeometry();
        const QSize size = m_form->frameGeometry().size();
        const QRect corner(
            available.bottomRight() - QPoint(size.width(), size.height()) + QPoint(1, 1), size);
        m_form->move(corner.topLeft());
        QTRY_COMPARE(m_form->frameGeometry(), corner);
        auto* widths = find<QComboBox>("CmbWidth");
        widths->setFocus();
        QTest::keyClick(widths, Qt::Key_Home);
        clickPlayOne();
        QVERIFY(QTest::qWaitForWindowExposed(preview()));
        QVERIFY(preview()->frameGeometry().right() < corner.left());

        QTest::keyClick(widths, Qt::Key_End); // wider than the room on the left
        QCoreApplication::processEvents();
        const QRect wide = preview()->frameGeometry();
        QVERIFY(available.contains(wide));
        QVERIFY(!wide.intersects(corner));

        QTest::mouseClick(find("OptScroll2"), Qt::LeftButton); // Up: "Second " of it
        QCoreApplication::processEvents();
        QVERIFY(find<QLabel>("cutWarning")->isVisible());
        const QRect tall = preview()->frameGeometry();
        QVERIFY(tall.height() > wide.height());
        QVERIFY(available.contains(tall));
        QVERIFY(!tall.intersects(corner));
    }

    // Where the preview goes: the first side with room (right, left, below,
    // above), else where it hides least of the main window, the first of two
    // that hide as little.
    void placementPrefersASideWithRoom_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("place");
        const QRect screen(0, 0, 1000, 700);
        const QRect owner(400, 100, 300, 400);
        QTest::newRow("right") << owner << QSize(200, 100) << screen << QPoint(708, 100);
        QTest::newRow("left") << owner << QSize(350, 100) << screen << QPoint(42, 100);
        QTest::newRow("below") << owner << QSize(500, 150) << screen << QPoint(400, 508);
        QTest::newRow("no room: over the least of it")
            << owner << QSize(500, 250) << screen << QPoint(400, 450);
        // Centred: moved onto the screen, right and left each hide 200 × 400.
        QTest::newRow("no room: two sides alike, the right")
            << QRect(300, 100, 400, 400) << QSize(500, 600) << screen << QPoint(500, 100);
    }
    void placementPrefersASideWithRoom()
    {
        QFETCH(QRect, owner);
        QFETCH(QSize, frame);
        QFETCH(QRect, screen);
        QFETCH(QPoint, place);
        QCOMPARE(PreviewWindow::PlaceBeside(owner, frame, screen), place);
    }

    void placementWithoutRoomStaysOnTheScreen()
    {
        const QRect narrow(0, 0, 600, 600);
        const QPoint squeezed = PreviewWindow::PlaceBeside({0, 0, 300, 400}, {500, 300}, narrow);
        QVERIFY(narrow.contains(QRect(squeezed, QSize(500, 300))));
    }

    // Typing, direction, speed, width and another entry show at once, with the
    // settings being edited rather than those committed.
    void editsShowAtOnce()
    {
        showAndType();
        clickPlayOne();
        preview()->advance();
        QTest::mouseClick(find("CmdDn"), Qt::LeftButton); // changes nothing
        QCOMPARE(preview()->player().step(), 1);

        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClicks(box(), QStringLiteral("!"));
        QCOMPARE(input().entry.text, std::string("HI!"));
        QCOMPARE(preview()->player().step(), 0);
        QTest::mouseClick(find("OptScroll2"), Qt::LeftButton);
        QCOMPARE(ItemDataOf(input().entry), PackItemData(2, 5));
        QCOMPARE(m_form->editor().LstMessage().itemData(0), PackItemData(0, 5));
        auto* speeds = find<QListWidget>("LstSpeed");
        speeds->setFocus();
        QTest::keyClick(speeds, Qt::Key_Up);
        QCOMPARE(ItemDataOf(input().entry), PackItemData(2, 6));
        QCOMPARE(find<QLabel>("passDuration")->text(),
                 QStringLiteral("One pass takes 2.5 s on the board.")); // (7 + 6 × 3) × 4 × 25 ms
        auto* widths = find<QComboBox>("CmbWidth");
        widths->setFocus();
        QTest::keyClick(widths, Qt::Key_End);
        QCOMPARE(input().board.widthText, std::string("40"));
        QCOMPARE(input().board.latchCount, 8);
        QCOMPARE(m_form->editor().LatchCount(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(board()->width(), 41 * BoardView::kPitch);

        box()->setFocus();
        QTest::keyClick(box(), Qt::Key_Return);
        QCOMPARE(input().index, std::size_t{1});
        QCOMPARE(input().entry, (Message{" ", ScrollDirection(2), 6}));
        QVERIFY(preview()->player().isPlaying());
    }

    // With the box empty, the click's focus change disables the button first.
    void playClickNotCarriedOutDoesNothing()
    {
        showAndType();
        QTest::keyClick(box(), Qt::Key_Backspace);
        QTest::keyClick(box(), Qt::Key_Backspace);
        clickPlayOne();
        QCOMPARE(playCaption(), std::string("4"));
        QVERIFY(preview() == nullptr);
    }
};

} // namespace corvane

QTEST_MAIN(corvane::PreviewWindowTest)
#include "PreviewWindowTest.moc"
