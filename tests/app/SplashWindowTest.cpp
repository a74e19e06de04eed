#include "app/SplashWindow.h"

#include "bascom/MakerDetails.h"
#include "tests/app/ShowProbe.h"
#include "tests/editor/FindControl.h"

#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <string_view>

namespace corvane {
namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* Label(const SplashWindow& splash)
{
    return test::FindControl<QLabel>(splash, "lblProductName");
}

QTimer* Timer(const SplashWindow& splash)
{
    return test::FindControl<QTimer>(splash, "Timer1");
}

void Tick(SplashWindow& splash, int times)
{
    for (int i = 0; i < times; ++i) {
        splash.Timer1_Timer();
    }
}

// Empty when the label has its text's size (at most the frame's width), lies
// inside the frame's border and is centred across it.
QString LabelFitProblem(const SplashWindow& splash)
{
    const QRect room = test::FindControl<QFrame>(splash, "Frame1")->contentsRect();
    const QRect at = Label(splash)->geometry();
    const QSize fit = Label(splash)->sizeHint();
    const bool sized = at.height() == fit.height() && at.width() == qMin(fit.width(), room.width());
    const bool centred = qAbs((at.left() - room.left()) - (room.right() - at.right())) <= 1;
    if (sized && centred && room.contains(at)) {
        return {};
    }
    return QStringLiteral("label at %1,%2 %3x%4 for a text of %5x%6")
        .arg(at.x())
        .arg(at.y())
        .arg(at.width())
        .arg(at.height())
        .arg(fit.width())
        .arg(fit.height());
}

} // namespace

class SplashWindowTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { QCoreApplication::setApplicationName(QStringLiteral("Corvane")); }

    void layoutAt96Dpi()
    {
        const SplashWindow splash;
        if (splash.logicalDpiX() != 96) {
            QSKIP("layout pixels are checked at 96 dpi");
        }
        QCOMPARE(splash.objectName(), QStringLiteral("frmSplash"));
        QCOMPARE(splash.windowType(), Qt::SplashScreen);
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(splash.minimumSize(), QSize(281, 201));
        QCOMPARE(splash.maximumSize(), QSize(281, 201));
        const QPoint offset =
            splash.geometry().center() - splash.screen()->availableGeometry().center();
        QVERIFY(offset.manhattanLength() <= 2);

        const QFrame* frame = test::FindControl<QFrame>(splash, "Frame1");
        QCOMPARE(frame->geometry(), QRect(0, 0, 279, 197));
        const QLabel* logo = test::FindControl<QLabel>(splash, "imgLogo");
        QCOMPARE(logo->parentWidget(), frame);
        QCOMPARE(logo->geometry(), QRect(8, 16, 259, 156));
        QCOMPARE(logo->pixmap().size(), QSize(259, 156));
        QCOMPARE(logo->toolTip(), ToQString(maker::kWebAddress));
        QCOMPARE(Label(splash)->parentWidget(), frame);
        QCOMPARE(Label(splash)->y(), 176);
    }

    void labelUsesBoldArialOrItsMetricTwin()
    {
        const SplashWindow splash;
        const QFont font = Label(splash)->font();
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.weight(), QFont::Bold);
        const QString face = QFontInfo(font).family();
        QVERIFY2(face == QStringLiteral("Arial") || face == QStringLiteral("Liberation Sans"),
                 qPrintable(face));
        QVERIFY(Label(splash)->alignment().testFlag(Qt::AlignHCenter));
    }

    void loadShowsTheApplicationTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("Corvane") << QStringLiteral("Corvane");
        QTest::newRow("one letter") << QStringLiteral("C");
        QTest::newRow("wider than the frame") << QStringLiteral("W").repeated(60);
    }

    void loadShowsTheApplicationTitle()
    {
        QFETCH(QString, title);
        QCoreApplication::setApplicationName(title);
        const SplashWindow splash;
        QCOMPARE(Label(splash)->text(), title);
        QCOMPARE(splash.SplashTick(), 0);
        QVERIFY2(LabelFitProblem(splash).isEmpty(), qPrintable(LabelFitProblem(splash)));
        QVERIFY(Timer(splash)->isActive());
        QCOMPARE(Timer(splash)->interval(), 3000);
    }

    void ticksShowContactsThenTheMainWindowThenClose()
    {
        SplashWindow splash;
        ShowProbe main(&splash);
        splash.setMainWindow(&main);
        splash.show();
        const QString captions[] = {QStringLiteral("Corvane"), ToQString(maker::kWebAddress),
                                    ToQString(maker::kEmail), ToQString(maker::kTelephone)};
        for (int tick = 0; tick < 4; ++tick) {
            Tick(splash, tick == 0 ? 0 : 1);
            QCOMPARE(splash.SplashTick(), tick);
            QCOMPARE(Label(splash)->text(), captions[tick]);
            QVERIFY2(LabelFitProblem(splash).isEmpty(), qPrintable(LabelFitProblem(splash)));
            QVERIFY(splash.isVisible());
            QCOMPARE(main.ShowCount(), 0);
        }
        Tick(splash, 1);
        QCOMPARE(main.ShowCount(), 1);
        QVERIFY2(main.WatchedVisibleAtFirstShow(), "main window shown after the splash closed");
        QVERIFY(!splash.isVisible());
        QVERIFY(!Timer(splash)->isActive());
        QCOMPARE(Label(splash)->text(), captions[3]);
    }

    void fourthTickWithoutMainWindowStillCloses()
    {
        SplashWindow splash;
        splash.setMainWindow(std::make_unique<QWidget>().get());
        splash.show();
        Tick(splash, 4);
        QVERIFY(!splash.isVisible());
        QCOMPARE(splash.SplashTick(), 4);
    }

    void noTickActsAfterClosing_data()
    {
        QTest::addColumn<int>("closedBy");
        QTest::newRow("fourth tick") << 0;
        QTest::newRow("key press") << 1;
        QTest::newRow("closed from outside") << 2;
    }

    void noTickActsAfterClosing()
    {
        QFETCH(int, closedBy);
        ShowProbe main;
        SplashWindow splash(&main);
        splash.show();
        if (closedBy == 0) {
            Tick(splash, 4);
            main.hide();
        } else if (closedBy == 1) {
            QTest::keyClick(&splash, Qt::Key_A);
        } else {
            splash.close();
        }
        QVERIFY(!Timer(splash)->isActive());
        const int tick = splash.SplashTick();
        const QString caption = Label(splash)->text();
        const int shows = main.ShowCount();
        Tick(splash, 5);
        QCOMPARE(splash.SplashTick(), tick);
        QCOMPARE(Label(splash)->text(), caption);
        QCOMPARE(main.ShowCount(), shows);
        QVERIFY(!main.isVisible());
    }

    void keyPress_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("mainShown");
        QTest::addColumn<bool>("closes");
        for (int ticks = 0; ticks < 4; ++ticks) {
            QTest::addRow("letter at tick %d", ticks) << ticks << int(Qt::Key_A) << false << true;
        }
        QTest::newRow("letter, main window up") << 1 << int(Qt::Key_A) << true << true;
        QTest::newRow("Escape") << 2 << int(Qt::Key_Escape) << false << true;
        QTest::newRow("Enter") << 3 << int(Qt::Key_Return) << true << true;
        QTest::newRow("Shift") << 0 << int(Qt::Key_Shift) << false << false;
        QTest::newRow("left arrow") << 1 << int(Qt::Key_Left) << false << false;
        QTest::newRow("F1") << 2 << int(Qt::Key_F1) << true << false;
    }

    void keyPress()
    {
        QFETCH(int, ticks);
        QFETCH(int, key);
        QFETCH(bool, mainShown);
        QFETCH(bool, closes);
        ShowProbe main;
        main.setVisible(mainShown);
        SplashWindow splash(&main);
        splash.show();
        Tick(splash, ticks);
        const QString caption = Label(splash)->text();
        const int shows = main.ShowCount();
        QTest::keyClick(&splash, static_cast<Qt::Key>(key));
        QCOMPARE(splash.isVisible(), !closes);
        QCOMPARE(Timer(splash)->isActive(), !closes);
        QCOMPARE(splash.SplashTick(), ticks);
        QCOMPARE(Label(splash)->text(), caption);
        QCOMPARE(main.isVisible(), mainShown);
        QCOMPARE(main.ShowCount(), shows);
    }

    void clicksDoNothing_data()
    {
        QTest::addColumn<QString>("target");
        for (const char* name : {"frmSplash", "Frame1", "imgLogo", "lblProductName"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }

    void clicksDoNothing()
    {
        QFETCH(QString, target);
        ShowProbe main;
        SplashWindow splash(&main);
        splash.show();
        QWidget* widget = target == splash.objectName()
                              ? &splash
                              : splash.findChild<QWidget*>(target);
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::LeftButton);
        QTest::mouseClick(widget, Qt::RightButton);
        QTest::mouseDClick(widget, Qt::LeftButton);
        QVERIFY(splash.isVisible());
        QVERIFY(Timer(splash)->isActive());
        QCOMPARE(splash.SplashTick(), 0);
        QCOMPARE(main.ShowCount(), 0);
    }

    void timerDrivesTheWholeSequence()
    {
        SplashWindow splash;
        ShowProbe main(&splash);
        splash.setMainWindow(&main);
        splash.show();
        Timer(splash)->setInterval(10);
        QTRY_VERIFY(!splash.isVisible());
        QCOMPARE(main.ShowCount(), 1);
        QVERIFY(main.WatchedVisibleAtFirstShow());
        QTest::qWait(50);
        QCOMPARE(splash.SplashTick(), 4);
    }
};

} // namespace corvane

QTEST_MAIN(corvane::SplashWindowTest)
#include "SplashWindowTest.moc"
