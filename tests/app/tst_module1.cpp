#include "core/Module1.h"

#include <QtTest>

class TestModule1 : public QObject
{
    Q_OBJECT
private slots:
    void joinPath_data()
    {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("joined");
        QTest::newRow("plain") << "/games/duke" << "/games/duke/duke3d.exe";
        QTest::newRow("trailing separator") << "/games/duke/" << "/games/duke/duke3d.exe";
    }
    void joinPath()
    {
        QFETCH(QString, dir);
        QFETCH(QString, joined);
        QCOMPARE(Module1::JoinPath(dir, "duke3d.exe"), joined);
    }
};

QTEST_GUILESS_MAIN(TestModule1)
#include "tst_module1.moc"
