#include "core/Module1.h"
#include "coneditor/DefineEditing.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/StockStore.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray SampleCon = "// Player\r\n"
                             "define MAXPLAYERHEALTH 100  // health a medkit gives\r\n"
                             "define SHIELD_AMOUNT 50\r\n"
                             "\r\n"
                             "// Misc\r\n"
                             "define THAWTIME 138\r\n"
                             "define CAMERASDESTRUCTABLE YES // cameras\r\n";

// A program directory on disk, the settings in memory, and the page set up over them.
struct Fixture
{
    QTemporaryDir dir;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    StockStore stock{files, dir.filePath(QStringLiteral("kept")), dir.path()};
    ConEditorPage page;

    Fixture()
    {
        platform.programDir = dir.path();
        page.setUp(m, stock);
        page.ensureBuilt();
    }
    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray bytesOf(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Loads the sample as the stock file, stored in upper case as the game's files often are.
    void loadSample()
    {
        writeFile(QStringLiteral("KVUSER.DAT"), SampleCon);
        QVERIFY(!page.loadDefaultUserCon().isEmpty());
    }
    QByteArray bufferBytes() { return TextBuffer::toBytes(page.buffer().Text()); }

    QComboBox *box(int i) { return page.findChild<QComboBox *>(QStringLiteral("cmbweap_%1").arg(i)); }
    QLabel *label(int i) { return page.findChild<QLabel *>(QStringLiteral("lblValue_%1").arg(i)); }
    QPlainTextEdit *view() { return page.findChild<QPlainTextEdit *>(QStringLiteral("rtbCon")); }

    void type(int i, const QString &text)
    {
        box(i)->lineEdit()->selectAll();
        QTest::keyClicks(box(i)->lineEdit(), text);
    }
};

QByteArray replaced(QByteArray text, const QByteArray &from, const QByteArray &to)
{
    return text.replace(from, to);
}

} // namespace

class TestConEditorPage : public QObject
{
    Q_OBJECT
private slots:
    void showAndTypeChangeOnlyTheValue()
    {
        Fixture f;
        f.m.ConModified = true;
        f.loadSample();
        QVERIFY(!f.m.ConModified);
        QCOMPARE(f.bufferBytes(), SampleCon);
        QVERIFY(!f.box(0)->isEnabled());

        f.page.showDefine(0, QStringLiteral("MAXPLAYERHEALTH"));
        QVERIFY(f.box(0)->isEnabled());
        QVERIFY(f.label(0)->isEnabled());
        QCOMPARE(f.box(0)->currentText(), QStringLiteral("100"));
        QVERIFY2(!f.m.ConModified, "showing a value writes it back unchanged");

        f.type(0, QStringLiteral("150"));
        QCOMPARE(f.bufferBytes(), replaced(SampleCon, "HEALTH 100  //", "HEALTH 150  //"));
        QVERIFY(f.m.ConModified);
        QCOMPARE(f.page.buffer().SelText(), QStringLiteral("150"));
    }

    void missingDefineKeepsTheBox()
    {
        Fixture f;
        f.loadSample();
        f.page.showDefine(0, QStringLiteral("SHIELD_AMOUNT"));
        f.page.showDefine(0, QStringLiteral("NOSUCHDEFINE"));
        QCOMPARE(f.box(0)->currentText(), QStringLiteral("50"));
        QCOMPARE(f.bufferBytes(), SampleCon);
    }

    // A click in the view may put the selection anywhere: every value box stops writing.
    void clickInViewDisablesTheValueBoxes()
    {
        Fixture f;
        f.loadSample();
        for (int i = 0; i < ConEditorPage::PageCount; ++i)
            f.page.showDefine(i, QStringLiteral("THAWTIME"));
        for (int i = 0; i < ConEditorPage::PageCount; ++i)
            QVERIFY(f.box(i)->isEnabled());

        QTest::mouseClick(f.view()->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
        for (int i = 0; i < ConEditorPage::PageCount; ++i) {
            QVERIFY(!f.box(i)->isEnabled());
            QVERIFY(!f.label(i)->isEnabled());
        }
        // The caret now stands at the start of the text: a box filled from code must not write there.
        f.box(0)->setEditText(QStringLiteral("999"));
        QCOMPARE(f.bufferBytes(), SampleCon);
        QVERIFY(!f.m.ConModified);
    }

    void valueBoxWriteBackRules_data()
    {
        QTest::addColumn<QString>("define");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<QByteArray>("from"); // expected change of the sample
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("shown");
        QTest::newRow("YES selected blocks writes") << "CAMERASDESTRUCTABLE" << "150" << QByteArray() << QByteArray()
                                                    << "150";
        QTest::newRow("empty writes 0") << "THAWTIME" << "" << QByteArray("THAWTIME 138") << QByteArray("THAWTIME 0")
                                        << "0";
        QTest::newRow("one space writes 0") << "THAWTIME" << " " << QByteArray("THAWTIME 138")
                                            << QByteArray("THAWTIME 0") << "0";
        QTest::newRow("two spaces write nothing") << "THAWTIME" << "  " << QByteArray() << QByteArray() << "  ";
        QTest::newRow("any text is written whole") << "SHIELD_AMOUNT" << "lots" << QByteArray("AMOUNT 50")
                                                    << QByteArray("AMOUNT lots") << "lots";
    }
    void valueBoxWriteBackRules()
    {
        QFETCH(QString, define);
        QFETCH(QString, boxText);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, shown);
        Fixture f;
        f.loadSample();
        f.page.showDefine(3, define);
        f.box(3)->setEditText(boxText);
        QCOMPARE(f.bufferBytes(), from.isEmpty() ? SampleCon : replaced(SampleCon, from, to));
        QCOMPARE(f.box(3)->currentText(), shown);
        QCOMPARE(f.m.ConModified, !from.isEmpty());
    }

    // Picking an entry writes it even when the box already shows that text.
    void pickedEntryIsWrittenEvenWhenTheTextStays()
    {
        Fixture f;
        f.loadSample();
        QComboBox *box = f.box(0);
        {
            const QSignalBlocker blocker(box);
            box->addItems({QStringLiteral("0"), QStringLiteral("5")});
        }
        f.page.showDefine(0, QStringLiteral("SHIELD_AMOUNT"));
        {
            const QSignalBlocker blocker(box);
            box->setCurrentIndex(0); // shows "0" while the file still says 50
        }
        // The list's pick, as the popup reports it (driving the popup itself is unreliable
        // on the offscreen platform).
        emit box->textActivated(box->itemText(0));
        QCOMPARE(f.bufferBytes(), replaced(SampleCon, "AMOUNT 50", "AMOUNT 0"));
    }

    void clearValueBoxWritesNothing()
    {
        Fixture f;
        f.loadSample();
        f.page.showDefine(0, QStringLiteral("MAXPLAYERHEALTH"));
        f.page.clearValueBox(0);
        QCOMPARE(f.box(0)->currentText(), QString());
        QCOMPARE(f.bufferBytes(), SampleCon);
    }

    void savingUnchangedTextIsByteIdentical()
    {
        Fixture f;
        f.loadSample();
        for (const char *name : {"MAXPLAYERHEALTH", "SHIELD_AMOUNT", "THAWTIME", "CAMERASDESTRUCTABLE"})
            f.page.showDefine(0, QString::fromLatin1(name));
        QVERIFY(!f.m.ConModified);
        const QString saved = f.dir.filePath(QStringLiteral("saved.con"));
        QVERIFY(f.page.buffer().SaveFile(saved));
        QCOMPARE(f.bytesOf(saved), SampleCon);
    }

    void missingStockFileLeavesTheBuffer()
    {
        Fixture f;
        f.page.buffer().setText(QStringLiteral("define KEEP 1\r\n"));
        f.m.ConModified = true;
        QVERIFY(f.page.loadDefaultUserCon().isEmpty());
        QCOMPARE(f.page.buffer().Text(), QStringLiteral("define KEEP 1\r\n"));
        QVERIFY(!f.m.ConModified);
    }

    // Without a stock copy beside the program, the player's original kept by Zentrel is loaded.
    void loadDefaultUserConLoadsTheKeptOriginal()
    {
        Fixture f;
        QTemporaryDir game;
        QFile user(game.filePath(QStringLiteral("USER.CON")));
        QVERIFY(user.open(QIODevice::WriteOnly));
        user.write(SampleCon);
        user.close();
        QVERIFY(f.stock.captureIfNew(game.path(), false).stored.contains(QStringLiteral("KVuser.dat")));
        f.m.ConModified = true;
        QVERIFY(!f.page.loadDefaultUserCon().isEmpty());
        QVERIFY(!f.m.ConModified);
        QCOMPARE(f.bufferBytes(), SampleCon);
    }

    // The stand-ins of the tests and the demo: the version their heading tells, and a value for
    // every search the editor makes (whole-word defines, plain search texts and the weapon
    // section markers).
    void standInUserConsServeTheEditor_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("version15");
        QTest::newRow("1.3d") << "USER13D.CON" << false;
        QTest::newRow("1.4/1.5") << "USER15.CON" << true;
    }
    void standInUserConsServeTheEditor()
    {
        QFETCH(QString, file);
        QFETCH(bool, version15);
        Fixture f;
        TextBuffer &buffer = f.page.buffer();
        QVERIFY(buffer.setFileName(QStringLiteral(ZENTREL_STANDINS "/") + file));
        const QString text = buffer.Text();

        // A 1.3d USER.CON has "USER" one character after the game's name.
        QCOMPARE(buffer.Find(QStringLiteral("Duke Nukem 3D"), 0, true), 3);
        QCOMPARE(text.mid(buffer.SelStart() + buffer.SelLength() + 1, 4) == QLatin1String("USER"), !version15);

        QStringList wholeWords = {
            "MAXPLAYERHEALTH", "MAXPLAYERATOMICHEALTH", "STARTARMORHEALTH", "STEROID_AMOUNT", "SHIELD_AMOUNT",
            "SCUBA_AMOUNT", "HOLODUKE_AMOUNT", "JETPACK_AMOUNT", "FIRSTAID_AMOUNT", "BOOT_AMOUNT",
            "TROOPSTRENGTH", "PIGCOPSTRENGTH", "PIG_SHIELD_AMOUNT1", "PIG_SHIELD_AMOUNT2", "LIZSTRENGTH",
            "OCTASTRENGTH", "RECONSTRENGTH", "TURRETSTRENGTH", "ROTTURRETSTRENGTH", "DRONESTRENGTH",
            "COMMANDERSTRENGTH", "SHARKSTRENGTH", "BOSS1STRENGTH", "BOSS1PALSTRENGTH", "BOSS2STRENGTH",
            "BOSS3STRENGTH"};
        QStringList plain = {"MAXWATERFOUNTAINHEALTH", "RETRIEVEDISTANCE", "SQUISHABLEDISTANCE", "DEFAULTVISIBILITY",
                             "FROZENQUICKKICKDIST", "GENERICIMPACTDAMAGE", "SWEARFREQUENCY", "RESPAWNACTORTIME",
                             "RESPAWNITEMTIME", "NUMFREEZEBOUNCES", "FROZENDRIPTIME", "THAWTIME",
                             "KNEE_WEAPON_STRENGTH", "TRIPBOMB_STRENGTH", "FREEZETHROWER_WEAPON_STRENGTH",
                             "PIPEBOMBRADIUS", "define HANDBOMBBOX"};
        QStringList maxAmmo = {"PISTOL", "SHOTGUN", "CHAINGUN", "RPG", "HANDBOMB", "SHRINKER", "DEVISTATOR",
                               "TRIPBOMB", "FREEZE"};
        QStringList boxAmmo = {"PISTOL", "SHOTGUN", "CHAINGUN", "RPG", "SHRINKER", "DEVISTATOR", "FREEZE"};
        if (version15) {
            wholeWords << "BOSS4STRENGTH" << "NEWBEASTSTRENGTH" << "NEWBEASTSCRATCHAMOUNT" << "DOLPHINSTRENGTH";
            plain << "QSIZE" << "GROWCRYSTALAMMOAMOUNT" << "GROWSPARK_WEAPON_STRENGTH" << "TRIPBOMBLASERMODE"
                  << "MAXXSTRETCH" << "MAXYSTRETCH" << "MINXSTRETCH" << "MINYSTRETCH";
            maxAmmo << "GROW";
        }
        for (const QString &w : maxAmmo)
            plain << QStringLiteral("define MAX%1AMMO").arg(w);
        for (const QString &w : boxAmmo)
            plain << QStringLiteral("define %1AMMO").arg(w);
        for (const char *w : {"PISTOL", "SHOTGUN", "CHAINGUN", "RPG", "HANDBOMB", "SHRINKER", "MORTER",
                              "FIRELASER", "BOUNCEMINE", "SPIT", "BULLET"})
            plain << QStringLiteral("%1_WEAPON_STRENGTH").arg(w);
        for (const char *w : {"RPG", "SHRINKER", "TRIPBOMB", "MORTER", "BOUNCEMINE", "SEENINE"})
            plain << QStringLiteral("%1BLASTRADIUS").arg(w);

        const auto valueOf = [&](const QString &search, bool wholeWord) {
            return DefineEditing::ShowDefineValue(buffer, buffer.Find(search, 0, wholeWord));
        };
        const QRegularExpression number(QStringLiteral("^\\d+$"));
        for (const QString &name : wholeWords)
            QVERIFY2(number.match(valueOf(name, true).value_or(QString())).hasMatch(), qPrintable(name));
        for (const QString &search : plain)
            QVERIFY2(number.match(valueOf(search, false).value_or(QString())).hasMatch(), qPrintable(search));
        for (const char *name : {"CAMERASDESTRUCTABLE", "FREEZERHURTOWNER"})
            QCOMPARE(valueOf(QString::fromLatin1(name), true), QStringLiteral("YES"));
        for (const char *marker : {"define MAXPISTOLAMMO", "define PISTOLAMMOAMOUNT", "// Weapon Strengths",
                                   "// Various blast radius distances"})
            QVERIFY2(buffer.Find(QString::fromLatin1(marker)) >= 0, marker);
    }
};

QTEST_MAIN(TestConEditorPage)
#include "tst_coneditorpage.moc"
