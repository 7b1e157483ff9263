#include "gametimer/GameTimer.h"

#include <QtTest>

class TestGameTimer : public QObject
{
    Q_OBJECT
private slots:
    // The label counts down one minute per tick; the tick that shows 0 is the expiry, and the
    // counters start again from nothing after it.
    void countsDownToTheExpiry()
    {
        GameTimer t;
        t.TimePicked = 5;
        t.ForceOut = true;
        QStringList labels;
        QList<bool> expiries;
        for (int i = 0; i < 5; ++i) {
            const GameTimer::Tick tick = t.tick(true);
            QVERIFY(!tick.failed);
            labels << tick.label;
            expiries << tick.expired;
        }
        QCOMPARE(labels, (QStringList{"Game Timer: 4 /F", "Game Timer: 3 /F", "Game Timer: 2 /F", "Game Timer: 1 /F",
                                      "Game Timer: 0 /F"}));
        QCOMPARE(expiries, (QList<bool>{false, false, false, false, true}));
        QCOMPARE(t.elapsedMinutes(), 0);
        QCOMPARE(t.elapsedMilliseconds(), 0);
        QCOMPARE(t.TimePicked, 5); // the notice names the limit that ran out

        // A hidden label (the limit was cleared) never expires: the count just goes on.
        GameTimer hidden;
        hidden.TimePicked = 1;
        QVERIFY(!hidden.tick(false).expired);
        const GameTimer::Tick past = hidden.tick(false);
        QVERIFY(!past.expired);
        QCOMPARE(past.label, QStringLiteral("Game Timer: -1"));
        QCOMPARE(hidden.elapsedMilliseconds(), 120000);
    }

    void labelText_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("forced");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << 30 << false << false << "Game Timer: 30";
        QTest::newRow("forced") << 5 << true << false << "Game Timer: 5 /F";
        QTest::newRow("paused") << 7 << false << true << "Game Timer: 7   P";
        QTest::newRow("forced and paused") << 12 << true << true << "Game Timer: 12 /F   P";
        QTest::newRow("zero") << 0 << false << false << "Game Timer: 0";
    }
    void labelText()
    {
        QFETCH(int, minutes);
        QFETCH(bool, forced);
        QFETCH(bool, paused);
        QFETCH(QString, text);
        QCOMPARE(GameTimer::labelText(minutes, forced, paused), text);
    }

    // The limit in minutes times 60 is formed in 16 bits: 546 fits, 547 does not. An overflow
    // stops the count and clears the limit, and leaves the label as it was (no text given).
    void overflowStopsTheCount_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("ticks"); // ticks before the one that is to fail (label hidden)
        QTest::addColumn<bool>("fails");
        QTest::newRow("546 fits") << 546 << 0 << false;
        QTest::newRow("547 overflows") << 547 << 0 << true;
        QTest::newRow("-547 overflows") << -547 << 0 << true;
        QTest::newRow("minutes counter full") << 546 << 32767 << true;
    }
    void overflowStopsTheCount()
    {
        QFETCH(int, limit);
        QFETCH(int, ticks);
        QFETCH(bool, fails);
        GameTimer t;
        t.TimePicked = std::int16_t(limit);
        for (int i = 0; i < ticks; ++i)
            QVERIFY(!t.tick(false).failed);
        const GameTimer::Tick tick = t.tick(false);
        QCOMPARE(tick.failed, fails);
        QCOMPARE(t.TimePicked, fails ? std::int16_t(0) : std::int16_t(limit));
        QCOMPARE(tick.label.isEmpty(), fails);
    }

    void clearForgetsEverything()
    {
        GameTimer t;
        t.TimePicked = 10;
        t.ForceOut = true;
        t.tick(true);
        t.clear();
        QCOMPARE(t.TimePicked, 0);
        QVERIFY(!t.ForceOut);
        QCOMPARE(t.elapsedMinutes(), 0);
        QCOMPARE(t.elapsedMilliseconds(), 0);
    }
};

QTEST_GUILESS_MAIN(TestGameTimer)
#include "tst_gametimer.moc"
