#include "editor/flash/ProgrammerDialog.h"

#include "editor/flash/ProgrammerList.h"
#include "tests/editor/FindControl.h"
#include "tests/editor/flash/FakeAvrdude.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace corvane {

using namespace std::chrono_literals;

namespace {

QPushButton* FlashButton(const ProgrammerDialog& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

} // namespace

class ProgrammerDialogTest final : public QObject
{
    Q_OBJECT

private slots:
    void knownProgrammersComeWithTheirSettings()
    {
        test::FakeAvrdude avrdude;
        ProgrammerList list(avrdude.path(QStringLiteral("avrdude")), 10s);
        ProgrammerDialog dialog(list, {}, {QStringLiteral("The messages")});
        auto* programmer = test::FindControl<QComboBox>(dialog, "programmer");
        auto* port = test::FindControl<QComboBox>(dialog, "port");
        QCOMPARE(programmer->currentText(), QStringLiteral("USBasp"));
        QVERIFY(!port->isEnabled());
        QVERIFY(FlashButton(dialog)->isEnabled());
        QCOMPARE(dialog.choice(), (ProgrammerChoice{"usbasp", "", "", "8"}));
        for (int item = 0; item < programmer->count(); ++item) {
            QVERIFY(programmer->itemText(item).isEmpty() ||
                    !programmer->itemData(item, Qt::ToolTipRole).toString().isEmpty());
        }

        programmer->setCurrentIndex(programmer->findText(QStringLiteral("Arduino as ISP")));
        QVERIFY(port->isEnabled());
        QVERIFY(!FlashButton(dialog)->isEnabled()); // it needs its port
        port->setEditText(QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(FlashButton(dialog)->isEnabled());
        QCOMPARE(dialog.choice(), (ProgrammerChoice{"stk500v1", "/dev/ttyUSB0", "19200", ""}));

        test::FindControl<QLineEdit>(dialog, "bitclock")->setText(QStringLiteral("8; reboot"));
        QVERIFY(!FlashButton(dialog)->isEnabled());
        QVERIFY(test::FindControl<QLabel>(dialog, "problem")
                    ->text()
                    .contains(QStringLiteral("bit clock")));
    }

    // avrdude's list comes later, the window working meanwhile; whatever it
    // holds, the dialog keeps its width, and only ids avrdude can be given
    // are offered. A remembered one is chosen once the list confirms it.
    void avrdudesOwnListIsWaitedForAndBounded()
    {
        test::FakeAvrdude avrdude;
        const QByteArray longId(5000, 'i');
        const QByteArray longText(5000, 'w');
        avrdude.answer("list", "while [ ! -f \"$d/go\" ]; do sleep 0.05; done\n"
                               "printf '  " +
                                   longId + " = Long\\n  avrisp = Atmel AVR ISP\\n  wide = " +
                                   longText + "\\n' >&2; exit 1");
        ProgrammerList list(avrdude.path(QStringLiteral("avrdude")), 10s);
        list.read();
        ProgrammerDialog remembered(list, {"avrisp", "", "", "2"}, {QStringLiteral("m")});
        ProgrammerDialog unknown(list, {"nosuch", "", "", "2"}, {QStringLiteral("m")});
        auto* other = test::FindControl<QComboBox>(remembered, "otherProgrammer");
        QVERIFY(!FlashButton(remembered)->isEnabled());
        QVERIFY(test::FindControl<QLabel>(remembered, "problem")
                    ->text()
                    .startsWith(QStringLiteral("Reading avrdude's list")));
        bool pinged = false;
        QTimer::singleShot(0, [&pinged] { pinged = true; });
        QTRY_VERIFY(pinged);
        QCOMPARE(list.state(), ProgrammerList::State::Reading);

        QFile go(avrdude.path(QStringLiteral("go")));
        QVERIFY(go.open(QIODevice::WriteOnly));
        go.close();
        QTRY_COMPARE(list.state(), ProgrammerList::State::Read);
        QCOMPARE(other->count(), 2); // the 5,000-character id is left out
        QCOMPARE(remembered.choice(), (ProgrammerChoice{"avrisp", "", "", "2"}));
        QVERIFY(FlashButton(remembered)->isEnabled());
        QVERIFY(other->itemText(1).size() < 120);
        QVERIFY(remembered.sizeHint().width() < 800);
        QCOMPARE(unknown.choice().programmer, std::string("usbasp"));
    }
};

} // namespace corvane

QTEST_MAIN(corvane::ProgrammerDialogTest)
#include "ProgrammerDialogTest.moc"
