// The editor's catalogue through its own lists: every item of every page, in both versions,
// finds its define in the version's stand-in USER.CON and shows the value the file holds.
#include "coneditor/Catalogue.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/StockStore.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include "ControlDriver.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray standIn(bool version15)
{
    QFile f(QStringLiteral(ZENTREL_STANDINS) + (version15 ? "/USER15.CON" : "/USER13D.CON"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The value of the first define line of the file that holds the text, read the plain way: the
// last word before a comment. wholeWord: the text must not touch a letter, digit or underscore.
QString fileValue(const QByteArray &file, const QString &text, bool wholeWord)
{
    const QString pattern = (wholeWord ? QStringLiteral("(?<![A-Za-z0-9_])%1(?![A-Za-z0-9_])") : QStringLiteral("%1"))
                                .arg(QRegularExpression::escape(text));
    const QRegularExpression rx(pattern, QRegularExpression::CaseInsensitiveOption);
    for (const QString &line : QString::fromLatin1(file).split('\n')) {
        if (!rx.match(line).hasMatch())
            continue;
        return line.section("/", 0, 0).simplified().section(' ', -1);
    }
    return {};
}

// The define name on the line where the buffer's selection stands.
QString defineAtSelection(TextBuffer &buffer)
{
    const QString text = buffer.Text();
    const qsizetype start = text.lastIndexOf('\n', buffer.SelStart() - 1) + 1;
    return text.mid(start).section('\n', 0, 0).simplified().section(' ', 1, 1);
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

    explicit Rig(bool version15, const QByteArray &text = {})
    {
        setRoot(&page);
        QFile f(dir.filePath(version15 ? "KVuserp.dat" : "KVuser.dat"));
        f.open(QIODevice::WriteOnly);
        f.write(text.isNull() ? standIn(version15) : text);
        f.close();
        page.setUp(m, stock);
        page.setVersion15(version15);
        page.loadDefaultUserCon();
        page.FillEditorCatalogue();
        page.ensureBuilt(); // the lists wait for the page's first show
    }
    QListWidget *list(const char *name) { return get<QListWidget>(name); }
    QString boxText(int page) { return this->page.valueBox(page)->currentText(); }
};

} // namespace

class TestEditorCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void listsHoldTheVersionsItems_data()
    {
        QTest::addColumn<bool>("version15");
        QTest::addColumn<int>("enemies");
        QTest::addColumn<int>("misc");
        QTest::newRow("1.3d") << false << 16 << 12;
        QTest::newRow("1.4/1.5") << true << 20 << 13;
    }
    void listsHoldTheVersionsItems()
    {
        QFETCH(bool, version15);
        QFETCH(int, enemies);
        QFETCH(int, misc);
        Rig rig(version15);
        QCOMPARE(rig.list("lstPlayers")->count(), 10);
        QCOMPARE(rig.list("lstEnemy")->count(), enemies);
        QCOMPARE(rig.list("lstConMisc")->count(), misc);
        QCOMPARE(rig.list("lstWeapInfo")->count(), 4);
        QCOMPARE(rig.list("lstWeapon")->count(), 0); // until a category is clicked
        QCOMPARE(rig.list("lstEnemy")->item(12)->text(), QString("Episode 1 Boss"));
        for (int i = 0; i < 4; ++i) {
            QComboBox *box = rig.page.valueBox(i);
            QCOMPARE(box->count(), 23);
            QCOMPARE(box->itemText(4), QString("25"));
            QCOMPARE(box->itemText(22), QString("7000"));
        }
        rig.page.FillEditorCatalogue(); // the presets are added once
        QCOMPARE(rig.page.valueBox(0)->count(), 23);
    }

    // Every entry of every list, clicked as the player clicks it, shows the value its define has
    // in the version's stand-in, and the stock value beside it; nothing is changed.
    void everyItemShowsItsValue_data()
    {
        QTest::addColumn<bool>("version15");
        QTest::newRow("1.3d") << false;
        QTest::newRow("1.4/1.5") << true;
    }
    void everyItemShowsItsValue()
    {
        QFETCH(bool, version15);
        Rig rig(version15);
        const QByteArray file = standIn(version15);
        int shown = 0;
        for (const auto &[page, listName] : QList<QPair<int, const char *>>{
                 {Catalogue::Players, "lstPlayers"}, {Catalogue::Enemies, "lstEnemy"}, {Catalogue::Misc, "lstConMisc"}}) {
            const QList<Catalogue::Item> items = Catalogue::items(Catalogue::Page(page), version15);
            for (int row = 0; row < items.size(); ++row) {
                rig.list(listName)->setCurrentRow(row);
                const QString expected =
                    fileValue(file, items[row].search, items[row].match == Catalogue::Match::WholeWord);
                QVERIFY2(!expected.isEmpty(), qPrintable(items[row].name));
                QVERIFY2(rig.boxText(page) == expected, qPrintable(items[row].name + ": " + rig.boxText(page)));
                QCOMPARE(rig.get<QLabel>(qPrintable(QString("lblStock_%1").arg(page)))->text(), "Stock: " + expected);
                ++shown;
            }
        }
        for (int category = 0; category < 4; ++category) {
            rig.list("lstWeapInfo")->setCurrentRow(category);
            QCOMPARE(rig.boxText(Catalogue::Weapons), QString("  ")); // the blank marker
            const QStringList weapons = Catalogue::weapons(category, version15);
            QCOMPARE(rig.list("lstWeapon")->count(), weapons.size());
            for (int row = 0; row < weapons.size(); ++row) {
                rig.list("lstWeapon")->setCurrentRow(row);
                const QString expected = fileValue(file, Catalogue::weaponSearch(category, row, weapons[row]), false);
                QVERIFY2(!expected.isEmpty() && rig.boxText(Catalogue::Weapons) == expected,
                         qPrintable(QString("%1/%2: %3").arg(category).arg(weapons[row], rig.boxText(Catalogue::Weapons))));
                ++shown;
            }
        }
        QCOMPARE(shown, version15 ? 10 + 20 + 13 + 10 + 9 + 20 + 7 : 10 + 16 + 12 + 9 + 8 + 14 + 7);
        QCOMPARE(TextBuffer::toBytes(rig.page.buffer().Text()), file);
        QVERIFY(!rig.m.ConModified);
    }

    // The Weapons table's exceptions go by position.
    void weaponExceptionsByPosition_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("weapon");
        QTest::addColumn<QString>("define");
        QTest::newRow("Box Ammo, Grow") << 1 << "Grow" << "GROWCRYSTALAMMOAMOUNT";
        QTest::newRow("Box Ammo, Handbomb") << 1 << "Handbomb" << "HANDBOMBBOX";
        QTest::newRow("Strength, Kicking") << 2 << "Kicking" << "KNEE_WEAPON_STRENGTH";
        QTest::newRow("Strength, Tripbomb") << 2 << "Tripbomb" << "TRIPBOMB_STRENGTH";
        QTest::newRow("Strength, Freeze") << 2 << "Freeze" << "FREEZETHROWER_WEAPON_STRENGTH";
        QTest::newRow("Blast, Handbomb") << 3 << "Handbomb" << "PIPEBOMBRADIUS";
        QTest::newRow("Blast, Seenine") << 3 << "Seenine" << "SEENINEBLASTRADIUS";
    }
    void weaponExceptionsByPosition()
    {
        QFETCH(int, category);
        QFETCH(QString, weapon);
        QFETCH(QString, define);
        Rig rig(true);
        rig.list("lstWeapInfo")->setCurrentRow(category);
        const QList<QListWidgetItem *> found = rig.list("lstWeapon")->findItems(weapon, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        rig.list("lstWeapon")->setCurrentItem(found[0]);
        QCOMPARE(defineAtSelection(rig.page.buffer()), define);
    }

    void growIsOnlyIn15()
    {
        Rig rig(false);
        rig.list("lstWeapInfo")->setCurrentRow(1);
        QVERIFY(rig.list("lstWeapon")->findItems("Grow", Qt::MatchExactly).isEmpty());
    }

    // The yes/no options follow the file: "NO" or "no" shows No; clicking writes the word.
    void yesNoOptionsFollowTheFile_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("yes");
        QTest::newRow("YES") << QByteArray("YES") << true;
        QTest::newRow("NO") << QByteArray("NO") << false;
        QTest::newRow("lower-case no") << QByteArray("no") << false;
    }
    void yesNoOptionsFollowTheFile()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, yes);
        Rig rig(false, "define CAMERASDESTRUCTABLE " + value + " // c\r\ndefine FREEZERHURTOWNER YES\r\n");
        QCOMPARE(rig.ticked("optCamYes"), yes);
        QCOMPARE(rig.ticked("optCamNo"), !yes);
        QVERIFY(!rig.m.ConModified);
        QCOMPARE(rig.page.buffer().SelStart(), 0);
        rig.tick(yes ? "optCamNo" : "optCamYes");
        QVERIFY(rig.page.buffer().Text().startsWith(QString("define CAMERASDESTRUCTABLE ") + (yes ? "NO" : "YES")));
        QVERIFY(rig.page.valueBox(3)->isEnabled());
    }

    // A yes/no define missing from the file: its option writes nowhere, also not over what is
    // selected.
    void missingYesNoDefineWritesNothing()
    {
        const QByteArray text = "define THAWTIME 138\r\n";
        Rig rig(false, text);
        rig.list("lstConMisc")->setCurrentRow(11); // Thaw Time: 138 selected
        rig.tick("optCamNo");
        rig.tick("optCamYes");
        QCOMPARE(TextBuffer::toBytes(rig.page.buffer().Text()), text);
    }

    // An item whose define is missing shows nothing new, and the box then writes nowhere; a
    // category clicked without a weapon likewise.
    void nothingTypedLandsOnAnotherDefine()
    {
        const QByteArray text = "define MAXPLAYERHEALTH 100\r\n// Weapon Strengths\r\ndefine X 1\r\n";
        Rig rig(false, text);
        rig.list("lstPlayers")->setCurrentRow(0);
        QCOMPARE(rig.boxText(0), QString("100"));
        rig.list("lstPlayers")->setCurrentRow(1); // no MAXPLAYERATOMICHEALTH in this file
        QCOMPARE(rig.boxText(0), QString("100"));
        rig.page.valueBox(0)->setEditText("999");
        rig.list("lstWeapInfo")->setCurrentRow(2);
        rig.page.valueBox(1)->setEditText("777");
        QCOMPARE(TextBuffer::toBytes(rig.page.buffer().Text()), text);
    }

    void emptyBufferFillsTheListsAndMovesNothing()
    {
        Rig rig(false, "");
        rig.page.buffer().setText(QString());
        rig.tick("optCamNo");
        rig.page.FillEditorCatalogue();
        QCOMPARE(rig.list("lstPlayers")->count(), 10);
        QVERIFY(rig.ticked("optCamNo")); // left as it was
    }
};

QTEST_MAIN(TestEditorCatalogue)
#include "tst_editorcatalogue.moc"
