// The randomizer: its dialog, and the walk over the editor's own lists and value boxes.
#include "app/widgets/frmMain.h"
#include "coneditor/Catalogue.h"
#include "coneditor/RandomDraw.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/widgets/ConRtsPanel.h"
#include "coneditor/widgets/frmRand.h"
#include "confiles/StockStore.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"
#include "platform/SeededRandom.h"

#include "ControlDriver.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// Fixed draws, in turn; counts how many were taken.
class FixedRandom : public Random
{
public:
    explicit FixedRandom(QList<float> draws) : draws(std::move(draws)) {}
    QList<float> draws;
    int taken = 0;
    float next() override { return draws[taken++ % draws.size()]; }
};

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray standIn() { return read(QStringLiteral(ZENTREL_STANDINS "/USER13D.CON")); }

// The define name on the line of a position of the text.
QString defineAt(const QString &text, qsizetype position)
{
    const qsizetype start = text.lastIndexOf('\n', position - 1) + 1;
    return text.mid(start).section('\n', 0, 0).simplified().section(' ', 1, 1);
}

// Every "define NAME VALUE" of a text.
QMap<QString, QString> defines(const QByteArray &text)
{
    QMap<QString, QString> out;
    for (const QByteArray &line : text.split('\n')) {
        const QStringList words = QString::fromLatin1(line).section("//", 0, 0).simplified().split(' ');
        if (words.size() >= 3 && words[0] == "define")
            out[words[1]] = words.last();
    }
    return out;
}

struct Rig : ControlDriver
{
    QTemporaryDir dir;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    StockStore stock{files, dir.filePath("kept"), dir.path()};
    ConEditorPage page;

    explicit Rig(const QByteArray &text = standIn())
    {
        setRoot(&page);
        page.setUp(m, stock);
        page.ensureBuilt();
        page.buffer().setText(QString::fromLatin1(text));
        m.ConModified = false;
        page.FillEditorCatalogue();
    }
    QByteArray text() { return TextBuffer::toBytes(page.buffer().Text()); }
    // A run through the dialog, as the player makes it.
    bool run(Random &random, const QString &section, const QString &upper, const QString &lower, bool leaveAbove = false,
             bool leaveBelow = false)
    {
        frmRand dialog(m, page, random, section);
        ControlDriver d(&dialog);
        d.choose("cmbChoose_0", upper);
        d.choose("cmbChoose_1", lower);
        d.tick("chkLvUp", leaveAbove);
        d.tick("chkLvLw", leaveBelow);
        d.button("cmdOk")->click();
        return dialog.ran();
    }
};

} // namespace

class TestRandomizer : public QObject
{
    Q_OBJECT
private slots:
    void drawStaysWithinTheBounds_data()
    {
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::newRow("1..6") << 1 << 6;
        QTest::newRow("100..100") << 100 << 100;
        QTest::newRow("1..7000") << 1 << 7000;
    }
    void drawStaysWithinTheBounds()
    {
        QFETCH(int, lower);
        QFETCH(int, upper);
        for (const float r : {0.0f, 0.25f, 0.5f, 0.999f, std::nextafter(1.0f, 0.0f)}) {
            const int v = RandomDraw::draw(lower, upper, r);
            QVERIFY2(v >= lower && v <= upper, qPrintable(QString::number(v)));
        }
        QCOMPARE(RandomDraw::draw(lower, upper, 0.0f), lower);
        QCOMPARE(RandomDraw::draw(lower, upper, std::nextafter(1.0f, 0.0f)), upper);
    }

    void dialogAsItOpens_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("title");
        QTest::newRow("whole file") << "" << "User Con Randomizer";
        QTest::newRow("Enemies") << "Enemies" << "Enemies Section Randomizer";
        QTest::newRow("Players") << "Players" << "Players Section Randomizer";
    }
    void dialogAsItOpens()
    {
        QFETCH(QString, section);
        QFETCH(QString, title);
        Rig rig;
        FixedRandom random({0.5f});
        frmRand dialog(rig.m, rig.page, random, section);
        QCOMPARE(dialog.windowTitle(), title);
        ControlDriver d(&dialog);
        const QStringList entries{"1",   "6",   "11",  "16",  "25",   "50",   "75",   "100",
                                  "200", "300", "400", "500", "600",  "700",  "800",  "900",
                                  "1000", "2000", "3000", "4000", "5000", "6000", "7000"};
        for (const char *box : {"cmbChoose_0", "cmbChoose_1"}) {
            QCOMPARE(d.items(box), entries);
            QCOMPARE(d.combo(box)->currentIndex(), -1);
            QVERIFY(!d.combo(box)->isEditable());
        }
        QVERIFY(!d.ticked("chkLvUp") && !d.ticked("chkLvLw"));
        QCOMPARE(d.get<QGroupBox>("Frame1")->title(), QString("Select Numeric Range"));
    }

    // OK's two messages; the buffer unchanged; Cancel changes nothing either.
    void okRefusesWhatIsNoRange()
    {
        Rig rig;
        FixedRandom random({0.5f});
        {
            frmRand dialog(rig.m, rig.page, random, {});
            ControlDriver d(&dialog);
            d.choose("cmbChoose_0", "100");
            d.button("cmdOk")->click();
            d.choose("cmbChoose_0", "50");
            d.choose("cmbChoose_1", "100");
            d.button("cmdOk")->click();
            QVERIFY(!dialog.ran());
            d.button("cmdCancel")->click();
        }
        QCOMPARE(rig.prompts.texts(), (QStringList{"Please select a value",
                                                   "Upper Bounds must be a number greater than Lower Bounds"}));
        QCOMPARE(rig.prompts.shown[0].icon, Prompts::Icon::Exclamation);
        QCOMPARE(rig.prompts.shown[1].icon, Prompts::Icon::None);
        QCOMPARE(rig.text(), standIn());
        QCOMPARE(random.taken, 0);
        QVERIFY(!rig.m.ConModified);
    }

    // Bounds 100 and 100: every number the editor knows becomes 100; the yes/no defines stay.
    void equalBoundsGiveThatValue()
    {
        Rig rig;
        FixedRandom random({0.1f, 0.9f, 0.5f});
        QVERIFY(rig.run(random, {}, "100", "100"));
        const QMap<QString, QString> before = defines(standIn()), after = defines(rig.text());
        int hundreds = 0;
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (it.value() == "YES" || it.value() == "NO")
                QCOMPARE(after[it.key()], it.value());
            else if (after[it.key()] == "100")
                ++hundreds;
        }
        QCOMPARE(hundreds, before.size() - 2);
        QVERIFY(rig.m.ConModified);
    }

    // The leave-as-is boxes keep what lies outside the bounds.
    void leaveAsIsRules_data()
    {
        QTest::addColumn<bool>("leaveAbove");
        QTest::addColumn<bool>("leaveBelow");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QStringList>("kept"); // defines left as they were
        QTest::newRow("leave above 100") << true << false << "100" << "25" << QStringList{"MAXPLAYERATOMICHEALTH"};
        QTest::newRow("leave below 25") << false << true << "100" << "25"
                                        << QStringList{"STARTARMORHEALTH", "STEROID_AMOUNT"};
        QTest::newRow("both, 1 to 6") << true << true << "6" << "1"
                                      << QStringList{"MAXPLAYERATOMICHEALTH", "MAXPLAYERHEALTH", "STARTARMORHEALTH"};
        QTest::newRow("neither") << false << false << "100" << "25" << QStringList{};
    }
    void leaveAsIsRules()
    {
        QFETCH(bool, leaveAbove);
        QFETCH(bool, leaveBelow);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(QStringList, kept);
        const QByteArray text = "define MAXPLAYERHEALTH 100\r\ndefine MAXPLAYERATOMICHEALTH 200\r\n"
                                "define STARTARMORHEALTH 0\r\ndefine STEROID_AMOUNT 5\r\n";
        Rig rig(text);
        FixedRandom random({0.5f});
        QVERIFY(rig.run(random, "Players", upper, lower, leaveAbove, leaveBelow));
        const QMap<QString, QString> before = defines(text), after = defines(rig.text());
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const int value = after[it.key()].toInt();
            if (kept.contains(it.key()))
                QCOMPARE(after[it.key()], it.value());
            else
                QVERIFY2(value >= lower.toInt() && value <= upper.toInt(), qPrintable(it.key() + "=" + after[it.key()]));
        }
        // Only 5 with both boxes and 1..6: one draw.
        if (leaveAbove && leaveBelow)
            QCOMPARE(random.taken, 1);
    }

    // The whole file: Players, Weapons, Enemies, Misc, each tab shown before its page is walked.
    void wholeFileWalksThePagesInOrder()
    {
        Rig rig;
        QStringList order;
        QObject::connect(&rig.page.buffer(), &TextBuffer::textReplaced, [&](qsizetype position, qsizetype, qsizetype) {
            const int tab = rig.page.categories()->currentIndex();
            if (order.isEmpty() || order.last() != Catalogue::PageNames[tab])
                order << Catalogue::PageNames[tab];
            QVERIFY(!defineAt(rig.page.buffer().Text(), position).isEmpty());
        });
        FixedRandom random({0.3f, 0.7f});
        QVERIFY(rig.run(random, {}, "7000", "1"));
        QCOMPARE(order, (QStringList{"Players", "Weapons", "Enemies", "Misc"}));
        QCOMPARE(rig.page.categories()->currentIndex(), 3);
        // Every weapon under every category was visited: each of them drew once.
        QCOMPARE(random.taken, 10 + (9 + 8 + 14 + 7) + 16 + 12);
    }

    // A yes/no define still selected is drawn for but never written.
    void yesNoDefinesNeverChange()
    {
        Rig rig;
        rig.tick("optCamNo"); // the selection is now CAMERASDESTRUCTABLE's NO
        const QByteArray before = rig.text();
        FixedRandom random({0.5f});
        QVERIFY(rig.run(random, "Misc", "100", "1"));
        QCOMPARE(defines(rig.text())["CAMERASDESTRUCTABLE"], QString("NO"));
        QCOMPARE(defines(rig.text())["FREEZERHURTOWNER"], QString("YES"));
        QVERIFY(rig.text() != before);
    }

    // An entry whose define is missing is skipped: the value shown before gets no second draw.
    void missingDefinesGetNoDraw()
    {
        const QByteArray text = "define MAXPLAYERHEALTH 100\r\n";
        Rig rig(text);
        FixedRandom random({0.0f, 0.99f});
        frmRand dialog(rig.m, rig.page, random, "Players");
        ControlDriver d(&dialog);
        d.choose("cmbChoose_0", "50");
        d.choose("cmbChoose_1", "1");
        d.button("cmdOk")->click();
        QCOMPARE(rig.text(), QByteArray("define MAXPLAYERHEALTH 1\r\n"));
        QCOMPARE(random.taken, 1);
        QCOMPARE(dialog.report().drawn, 1);
        QCOMPARE(dialog.report().kept, 9);
        QCOMPARE(dialog.report().summary(), QString("Randomized 1 values; 9 left as they were"));
        // The list of changes names the define and holds only what changed.
        QCOMPARE(dialog.report().table(), QString("Define\tPage\tItem\tBefore\tAfter\n"
                                                  "MAXPLAYERHEALTH\tPlayers\tMax Regular Health\t100\t1\n"));
    }

    // With fixed draws a whole-file run over the stand-in gives exactly the expected file.
    void wholeFileRunGivesTheGoldenFile()
    {
        Rig rig;
        FixedRandom random({0.05f, 0.61f, 0.33f, 0.97f, 0.48f, 0.12f, 0.76f});
        QVERIFY(rig.run(random, {}, "1000", "25", false, true));
        const QString golden = QStringLiteral(ZENTREL_FIXTURES "/USER13D-randomized.CON");
        if (qEnvironmentVariableIsSet("ZENTREL_WRITE_GOLDEN")) {
            QFile out(golden);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(rig.text());
        }
        QCOMPARE(rig.text(), read(golden));
    }

    // The program's generator starts the same at every start: two runs, two equal files.
    void theRealGeneratorRepeatsAfterEveryStart()
    {
        SeededRandom a, b;
        for (int i = 0; i < 100; ++i) {
            const float r = a.next();
            QCOMPARE(r, b.next());
            QVERIFY(r >= 0.0f && r < 1.0f);
        }
        QByteArray first;
        for (int start = 0; start < 2; ++start) {
            Rig rig;
            SeededRandom random;
            QVERIFY(rig.run(random, {}, "7000", "1"));
            if (start == 0)
                first = rig.text();
            else
                QCOMPARE(rig.text(), first);
        }
        QVERIFY(first != standIn());
    }

    // In the real window: the button opens the dialog, the run ends with a report in the status
    // bar and its changes one click away.
    void runFromTheMainWindowReportsWhatItDid()
    {
        QTemporaryDir game;
        MemorySettingsStore store;
        DiskFiles files;
        FakePrompts prompts;
        FixedRandom random({0.5f});
        Platform platform{store, files, prompts, game.path()};
        platform.random = &random;
        QFile stock(game.filePath("KVuser.dat"));
        QVERIFY(stock.open(QIODevice::WriteOnly));
        stock.write(standIn());
        stock.close();
        QFile exe(game.filePath("DUKE3D.EXE"));
        QVERIFY(exe.open(QIODevice::WriteOnly));
        exe.close();
        Module1 m(platform);
        m.DukePath = game.path();
        frmMain window(m);
        window.Form_Load();
        window.conEditorPage().ensureBuilt(); // as the editor tab's first show does
        window.conRtsPanel().ensureBuilt();
        ControlDriver d(&window);
        QTimer::singleShot(0, [] {
            auto *dialog = qobject_cast<frmRand *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            ControlDriver rand(dialog);
            rand.choose("cmbChoose_0", "200");
            rand.choose("cmbChoose_1", "200");
            rand.button("cmdOk")->click();
        });
        d.button("cmdRand")->click();
        QVERIFY(m.ConModified);
        const QString message = d.get<QStatusBar>("StatusBar1")->currentMessage();
        QVERIFY2(message.startsWith("Randomized ") && message.contains(" left as they were"), qPrintable(message));
        QTimer::singleShot(0, [] {
            auto *changes = QApplication::activeModalWidget();
            QVERIFY(changes && changes->objectName() == "frmRandChanges");
            QVERIFY(control<QPlainTextEdit>(*changes, "txtRandChanges")->toPlainText().contains("\tMax Regular Health\t100\t200\n"));
            changes->close();
        });
        d.get<QToolButton>("cmdRandChanges")->click();
    }
};

QTEST_MAIN(TestRandomizer)
#include "tst_randomizer.moc"
