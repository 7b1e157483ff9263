#include "ControlDriver.h"
#include "DialogTestBed.h"
#include "FailingSettingsStore.h"
#include "app/widgets/frmPrefs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QGroupBox>
#include <QtTest>

namespace {

bool ticked(frmPrefs &dialog, const char *box)
{
    return control<QCheckBox>(dialog, box)->isChecked();
}

void tick(frmPrefs &dialog, const char *box, bool on)
{
    control<QCheckBox>(dialog, box)->setChecked(on);
}

// Section, key as first written, and value of every entry, in writing order.
QStringList written(const MemorySettingsStore &store)
{
    QStringList out;
    for (const auto &e : store.entries)
        out << e.section + "/" + e.key + "=" + e.value;
    return out;
}

} // namespace

class TestPrefs : public QObject
{
    Q_OBJECT
private slots:
    void loadShowsStoredValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("splashTicked");
        QTest::addColumn<bool>("othersTicked"); // CONpref, RTSpref, CloseDosWin, HideDosWin
        // A missing key means no return of the originals at exit, so its box shows unticked.
        QTest::newRow("empty") << "" << true << false;
        QTest::newRow("Yes") << "Yes" << true << true;
        QTest::newRow("No") << "No" << false << false;
        QTest::newRow("garbage") << "yes please" << false << false;
        QTest::newRow("lower case") << "yes" << false << false;
    }
    void loadShowsStoredValues()
    {
        QFETCH(QString, value);
        QFETCH(bool, splashTicked);
        QFETCH(bool, othersTicked);
        MemorySettingsStore store;
        DialogTestBed bed(store);
        bed.m.Splash = bed.m.CONpref = bed.m.RTSpref = bed.m.CloseDosWin = bed.m.HideDosWin = value;
        frmPrefs dialog(bed.m);
        QCOMPARE(ticked(dialog, "chkPsplash"), splashTicked);
        for (const char *box : {"chkPCon", "chkPrts", "chkCloseDosWin", "chkHideDosWin"})
            QVERIFY2(ticked(dialog, box) == othersTicked, box);
    }

    void loadSelectsLaunchPreference_data()
    {
        QTest::addColumn<QString>("dukeWin");
        QTest::addColumn<int>("index");
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("2") << "2" << 2;
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("4") << "4" << -1;
        QTest::newRow("garbage") << "Closed" << -1;
    }
    void loadSelectsLaunchPreference()
    {
        QFETCH(QString, dukeWin);
        QFETCH(int, index);
        MemorySettingsStore store;
        DialogTestBed bed(store);
        bed.m.DukeWin = dukeWin;
        frmPrefs dialog(bed.m);
        auto *combo = control<QComboBox>(dialog, "cmbDukeWin");
        QCOMPARE(combo->count(), 4);
        QCOMPARE(combo->itemText(2), QString("Minimized to Tray"));
        QCOMPARE(combo->currentIndex(), index);

        // No selection writes no Launch Preference.
        dialog.cmdOk_Click();
        QCOMPARE(store.value("Prefs", "DukeWin"), QString());
        QCOMPARE(bed.m.DukeWin, dukeWin);
    }

    // The first start skips LoadPreferences, so every preference but DukeWin is still empty.
    void okOnFirstRunWritesInOrder()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        bed.m.DukeWin = "0";
        frmPrefs dialog(bed.m);
        QVERIFY(!ticked(dialog, "chkPCon") && !ticked(dialog, "chkPrts"));
        tick(dialog, "chkCloseDosWin", true);
        control<QPushButton>(dialog, "cmdOk")->click();
        // An OK the player gave without touching the return boxes stores "No" for both.
        QCOMPARE(written(store), (QStringList{"Prefs/Splash=Yes", "Prefs/CONpref=No", "Prefs/RTSpref=No",
                                              "Prefs/CloseDosWin=Yes", "Prefs/HideDosWin=No"}));
        QCOMPARE(bed.m.CloseDosWin, QString("Yes"));
        QCOMPARE(bed.m.HideDosWin, QString("No"));
        QCOMPARE(bed.m.CONpref, QString("No"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void okWritesOnlyChangedLaunchAndDosWindowValues()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        bed.m.DukeWin = "0";
        bed.m.CloseDosWin = "Yes";
        bed.m.HideDosWin = "No";
        bed.m.Splash = bed.m.CONpref = bed.m.RTSpref = "Yes";
        frmPrefs dialog(bed.m);
        control<QComboBox>(dialog, "cmbDukeWin")->setCurrentIndex(2);
        tick(dialog, "chkPCon", false);
        tick(dialog, "chkPsplash", false);
        dialog.cmdOk_Click();
        QCOMPARE(written(store), (QStringList{"Prefs/DukeWin=2", "Prefs/Splash=No", "Prefs/CONpref=No",
                                              "Prefs/RTSpref=Yes"}));
        QCOMPARE(bed.m.DukeWin, QString("2"));
        QCOMPARE(bed.m.Splash, QString("No"));
        QCOMPARE(bed.m.CONpref, QString("No"));
    }

    void conPrefTickedKeepsOneKey()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        store.setValue("Prefs", "CONpref", "No");
        bed.m.CONpref = "No";
        frmPrefs dialog(bed.m);
        tick(dialog, "chkPCon", true);
        dialog.cmdOk_Click();
        QCOMPARE(store.keys("Prefs").filter("conpref", Qt::CaseInsensitive).size(), 1);
        QCOMPARE(store.value("Prefs", "CONPref"), QString("Yes"));
    }

    void cancelWritesNothing()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        bed.m.DukeWin = "1";
        frmPrefs dialog(bed.m);
        dialog.show();
        control<QComboBox>(dialog, "cmbDukeWin")->setCurrentIndex(3);
        tick(dialog, "chkHideDosWin", true);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(store.writes, 0);
        QCOMPARE(bed.m.DukeWin, QString("1"));
        QCOMPARE(bed.m.HideDosWin, QString());
    }

    void failingStoreIsReportedOnce()
    {
        FailingSettingsStore store;
        DialogTestBed bed(store);
        frmPrefs dialog(bed.m);
        dialog.cmdOk_Click();
        QCOMPARE(bed.prompts.shown.size(), 1);
        QVERIFY(bed.prompts.shown[0].text.contains(store.reason));
        QCOMPARE(bed.prompts.shown[0].icon, Prompts::Icon::Exclamation);
        QCOMPARE(bed.m.Splash, QString("Yes"));
    }

    void picturesAreDrawn()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        frmPrefs dialog(bed.m);
        for (int i = 0; i < 5; ++i) {
            auto *image = control<QLabel>(dialog, qPrintable(QString("Image1_%1").arg(i)));
            QVERIFY(!image->pixmap().isNull());
            QVERIFY(!image->accessibleName().isEmpty());
        }
    }

    void stealthBoxesSayWhenSupervisionIsUnavailable()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        {
            frmPrefs dialog(bed.m);
            QVERIFY(!dialog.findChild<QLabel *>("lblStealthUnavailable"));
        }
        bed.m.SupervisionUnavailable = "This desktop has no X11 display.";
        frmPrefs dialog(bed.m);
        auto *note = dialog.findChild<QGroupBox *>("frmStealth")->findChild<QLabel *>("lblStealthUnavailable");
        QVERIFY(note);
        QVERIFY(note->text().endsWith("here: this desktop has no X11 display.")); // one sentence
    }

    // The network settings: shown as stored, refused before anything is stored when DOSBox's
    // shell could not take them, kept in [Network] when good.
    void networkSettings()
    {
        MemorySettingsStore store;
        store.setValue("Network", "Role", "Join");
        store.setValue("Network", "Host", "duke-lan");
        store.setValue("Network", "Port", "21313");
        DialogTestBed bed(store);
        {
            frmPrefs dialog(bed.m);
            QVERIFY(control<QRadioButton>(dialog, "optNetJoin")->isChecked());
            QCOMPARE(control<QLineEdit>(dialog, "txtNetHost")->text(), QStringLiteral("duke-lan"));
            QVERIFY(control<QLineEdit>(dialog, "txtNetHost")->isEnabled());
            QCOMPARE(control<QLineEdit>(dialog, "txtNetPort")->text(), QStringLiteral("21313"));

            const int writes = store.writes;
            control<QLineEdit>(dialog, "txtNetHost")->setText("a>b");
            dialog.show();
            control<QPushButton>(dialog, "cmdOk")->click();
            QCOMPARE(bed.prompts.shown.size(), 1);
            QCOMPARE(bed.prompts.shown[0].icon, Prompts::Icon::Exclamation);
            QVERIFY(dialog.isVisible()); // stays open, nothing stored
            QCOMPARE(store.writes, writes);

            control<QLineEdit>(dialog, "txtNetHost")->setText("192.168.1.20");
            control<QLineEdit>(dialog, "txtNetPort")->setText("70000");
            control<QPushButton>(dialog, "cmdOk")->click();
            QCOMPARE(bed.prompts.shown.size(), 2);
            QCOMPARE(store.writes, writes);

            control<QLineEdit>(dialog, "txtNetPort")->setText("21314");
            control<QPushButton>(dialog, "cmdOk")->click();
            QVERIFY(!dialog.isVisible());
        }
        QCOMPARE(store.value("Network", "Host"), QStringLiteral("192.168.1.20"));
        QCOMPARE(store.value("Network", "Port"), QStringLiteral("21314"));
        QCOMPARE(store.value("Network", "Role"), QStringLiteral("Join"));

        frmPrefs again(bed.m);
        control<QRadioButton>(again, "optNetHost")->setChecked(true);
        QVERIFY(!control<QLineEdit>(again, "txtNetHost")->isEnabled());
        control<QPushButton>(again, "cmdOk")->click();
        QCOMPARE(store.value("Network", "Role"), QStringLiteral("Host"));
    }

    // What the desktop cannot do is said beside the choices it concerns.
    void desktopNotes_data()
    {
        QTest::addColumn<bool>("noTray");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("frontUnknown");
        QTest::addColumn<QString>("unavailable");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("all there") << false << false << false << "" << QStringList{};
        QTest::newRow("no tray") << true << false << false << ""
                                 << QStringList{"No system tray on this desktop: Zentrel minimises instead"};
        QTest::newRow("no tray, Wayland")
            << true << true << false << ""
            << QStringList{"No system tray on this desktop, and on Wayland a minimised Zentrel could not come back: "
                           "\u201cMinimized\u201d and \u201cMinimized to Tray\u201d leave the window as it is."};
        QTest::newRow("no front window") << false << false << true << ""
                                         << QStringList{"This window manager does not say which window is in front, so "
                                                        "the game's window cannot be hidden when you switch away "
                                                        "from it."};
        QTest::newRow("no X11")
            << false << true << false
            << "This Wayland session offers no X11 display (Xwayland), so Zentrel cannot hide or close the game's window."
            << QStringList{"Hiding and closing the game's window is not available here: this Wayland session offers "
                           "no X11 display (Xwayland), so Zentrel cannot hide or close the game's window."};
    }
    void desktopNotes()
    {
        QFETCH(bool, noTray);
        QFETCH(bool, wayland);
        QFETCH(bool, frontUnknown);
        QFETCH(QString, unavailable);
        QFETCH(QStringList, notes);
        MemorySettingsStore store;
        DialogTestBed bed(store);
        bed.m.SystemTrayMissing = noTray;
        bed.m.WaylandWindows = wayland;
        bed.m.FrontWindowUnknown = frontUnknown;
        bed.m.SupervisionUnavailable = unavailable;
        frmPrefs dialog(bed.m);
        QStringList shown;
        for (const char *name : {"lblNoTray", "lblNoFrontWindow", "lblStealthUnavailable"})
            if (auto *label = dialog.findChild<QLabel *>(QLatin1String(name)))
                shown << label->text();
        QCOMPARE(shown, notes);
    }
};

QTEST_MAIN(TestPrefs)
#include "tst_prefs.moc"
