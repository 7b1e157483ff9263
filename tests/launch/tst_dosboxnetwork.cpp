// The network settings for DOSBox's IPX tunnel: what is accepted as the host's address and the
// port, the command DOSBox runs, and how they are kept.
#include "MemorySettingsStore.h"

#include "launch/DosBoxNetwork.h"

#include <QtTest>

class TestDosBoxNetwork : public QObject
{
    Q_OBJECT
private slots:
    void addresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("ok");
        QTest::newRow("host name") << "duke-lan" << true;
        QTest::newRow("dotted name") << "games.example.org" << true;
        QTest::newRow("IPv4") << "192.168.1.20" << true;
        QTest::newRow("loopback") << "127.0.0.1" << true;
        QTest::newRow("IPv6") << "fe80::1" << true;
        QTest::newRow("IPv6 loopback") << "::1" << true;
        QTest::newRow("IPv6 full") << "2001:db8:0:0:0:0:2:1" << true;
        QTest::newRow("IPv6 with IPv4") << "::ffff:10.0.0.1" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("semicolon") << "a;b" << false;
        QTest::newRow("redirection") << "a>b" << false;
        QTest::newRow("pipe") << "a|b" << false;
        QTest::newRow("blank inside") << "duke lan" << false;
        QTest::newRow("300 characters") << QString(300, QLatin1Char('a')) << false;
        QTest::newRow("label too long") << QString(64, QLatin1Char('a')) + ".lan" << false;
        QTest::newRow("hyphen first") << "-lan" << false;
        QTest::newRow("percent") << "%PATH%" << false;
        QTest::newRow("quote") << "\"lan\"" << false;
        QTest::newRow("two ::") << "1::2::3" << false;
        QTest::newRow("IPv6 too many groups") << "1:2:3:4:5:6:7:8:9" << false;
        QTest::newRow("non-ASCII") << "dük.lan" << false;
    }
    void addresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, ok);
        const QString problem = DosBoxNetwork::addressProblem(address);
        QCOMPARE(problem.isEmpty(), ok);
        if (!ok) {
            QVERIFY(problem.contains(QLatin1String("View > Preferences")));
            QVERIFY(problem.size() < 300); // a long address is shown cut
        }
    }

    void ports_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("ok");
        QTest::newRow("default") << "213" << true;
        QTest::newRow("lowest") << "1" << true;
        QTest::newRow("highest") << "65535" << true;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("too high") << "70000" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("sign") << "+213" << false;
        QTest::newRow("blank inside") << "2 13" << false;
        QTest::newRow("text") << "abc" << false;
        QTest::newRow("long digits") << "000000213" << false;
    }
    void ports()
    {
        QFETCH(QString, port);
        QFETCH(bool, ok);
        QCOMPARE(DosBoxNetwork::portProblem(port).isEmpty(), ok);
        DosBoxNetwork host;
        host.port = port;
        QCOMPARE(host.problem().isEmpty(), ok); // the port counts when hosting too
    }

    void commandsForHostAndJoin()
    {
        DosBoxNetwork network;
        QCOMPARE(network.ipxnetCommand(), QStringLiteral("ipxnet startserver 213"));
        QVERIFY(network.problem().isEmpty()); // hosting needs no address
        network.join = true;
        QVERIFY(!network.problem().isEmpty());
        network.address = "192.168.1.20";
        network.port = "21313";
        QVERIFY(network.problem().isEmpty());
        QCOMPARE(network.ipxnetCommand(), QStringLiteral("ipxnet connect 192.168.1.20 21313"));
    }

    void keptInTheNetworkSection()
    {
        MemorySettingsStore store;
        QCOMPARE(DosBoxNetwork::load(store).port, QStringLiteral("213"));
        QVERIFY(!DosBoxNetwork::load(store).join);
        DosBoxNetwork network;
        network.join = true;
        network.address = "duke-lan";
        network.port = "21313";
        QVERIFY(network.save(store));
        QCOMPARE(store.value("Network", "Role"), QStringLiteral("Join"));
        QCOMPARE(store.value("Network", "Host"), QStringLiteral("duke-lan"));
        QCOMPARE(store.value("Network", "Port"), QStringLiteral("21313"));
        store.setValue("Network", "Role", " join "); // as a player may type it
        const DosBoxNetwork back = DosBoxNetwork::load(store);
        QVERIFY(back.join);
        QCOMPARE(back.address, QStringLiteral("duke-lan"));
    }
};

QTEST_MAIN(TestDosBoxNetwork)
#include "tst_dosboxnetwork.moc"
