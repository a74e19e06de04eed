#include "editor/window/TabStops.h"

#include "tests/editor/FindControl.h"

#include <QLineEdit>
#include <QtTest>
#include <array>

namespace corvane {

class TabStopsTest final : public QObject
{
    Q_OBJECT

private:
    // Three controls in tab order "second", "first", "third", and one, "outside",
    // that the order leaves out.
    static constexpr std::array<ControlRow, 4> kTable = {{
        {"first", nullptr, &ControlRow::make<QLineEdit>, 0, 0, 600, 300, 1},
        {"second", nullptr, &ControlRow::make<QLineEdit>, 0, 400, 600, 300, 0},
        {"third", nullptr, &ControlRow::make<QLineEdit>, 0, 800, 600, 300, 2},
        {"outside", nullptr, &ControlRow::make<QLineEdit>, 0, 1200, 600, 300},
    }};

private slots:
    // From a control outside the order, Tab goes to the first stop that can
    // take the focus and Shift+Tab to the last.
    void tabFromOutsideTheOrderEntersItAtItsEnd_data()
    {
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("disabled");
        QTest::addColumn<QString>("reached");
        QTest::newRow("Tab") << true << QString() << "second";
        QTest::newRow("Shift+Tab") << false << QString() << "third";
        QTest::newRow("Tab, the first disabled") << true << "second"
                                                 << "first";
        QTest::newRow("Shift+Tab, the last disabled") << false << "third"
                                                      << "first";
    }
    void tabFromOutsideTheOrderEntersItAtItsEnd()
    {
        QFETCH(bool, forward);
        QFETCH(QString, disabled);
        QFETCH(QString, reached);
        QWidget window;
        CreateControls(window, kTable);
        PlaceControls(window, kTable);
        window.show();
        if (!disabled.isEmpty()) {
            test::FindControl<QWidget>(window, qPrintable(disabled))->setEnabled(false);
        }
        const TabStops stops(window, kTable, {});
        const QWidget* outside = test::FindControl<QWidget>(window, "outside");
        for (const QWidget* from : {outside, static_cast<const QWidget*>(nullptr)}) {
            const QWidget* target = stops.next(from, forward);
            QVERIFY(target != nullptr);
            QCOMPARE(target->objectName(), reached);
        }
    }
};

} // namespace corvane

QTEST_MAIN(corvane::TabStopsTest)
#include "TabStopsTest.moc"
