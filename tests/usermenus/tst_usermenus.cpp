// The player's own menus: how they are kept in the settings store, the Menu Manager dialog, and
// the User Defined menu it rebuilds.
#include "ControlDriver.h"
#include "FailingSettingsStore.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "usermenus/UserMenus.h"
#include "usermenus/widgets/UserMenuBar.h"
#include "usermenus/widgets/frmUserDef.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A main window's User Defined menu over a store in memory, and the dialog on demand.
struct MenuRig : ControlDriver
{
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    QWidget owner;
    QMenu menu{QStringLiteral("&User Defined"), &owner};
    QAction *manager = menu.addAction(QStringLiteral("&Menu Manager"));
    QAction *separator = menu.addSeparator();
    UserMenuBar bar{m, menu, *separator};
    std::unique_ptr<frmUserDef> dialog;

    frmUserDef &open()
    {
        dialog = std::make_unique<frmUserDef>(m, bar, &owner);
        setRoot(dialog.get());
        return *dialog;
    }
    void add(const QString &path, const QString &name)
    {
        prompts.chosenPaths.enqueue(path);
        dialog->cmdUserDefDir_Click();
        get<QLineEdit>("txtUserDefMnuName")->setText(name);
        dialog->cmdAdd_Click();
    }
    QStringList list(const char *name) const
    {
        QStringList out;
        auto *l = get<QListWidget>(name);
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    }
    void select(const char *name, int row) const { get<QListWidget>(name)->setCurrentRow(row); }
    QStringList menuCaptions() const
    {
        QStringList out;
        for (QAction *a : menu.actions())
            if (a != manager && a != separator)
                out << a->text();
        return out;
    }
};

QList<UserMenu> oddMenus()
{
    QList<UserMenu> menus;
    const QStringList names{"Editor", "a=b", "50% off", "[Section]", "Ünïcödé", "two words", "Ends with =",
                            "%41", "Mapster", "x[y]z", "Straße", "Ça va", "=", "Tools & more", "Δοκιμή",
                            "name;semicolon", "#hash", " leading blank", "trailing blank ", "Last"};
    for (int i = 0; i < names.size(); ++i)
        menus.append({names.at(i), QStringLiteral("/games/tools %1/run=%2%.sh").arg(i).arg(i)});
    return menus;
}

} // namespace

class TestUserMenus : public QObject
{
    Q_OBJECT
private slots:
    // 20 menus whose names hold what an INI key cannot, written and read back by a new store on
    // the same file, as at the next start: every name and path, in the same order.
    void menusSurviveARestartInOrder()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("Zentrel.ini");
        const QList<UserMenu> menus = oddMenus();
        {
            IniSettingsStore store(file);
            store.setValue("MenuName", "OldName", "Old"); // replaced, not kept beside
            store.setValue("MenuPath", "OldPath", "/old");
            QCOMPARE(UserMenus::save(store, menus), QString());
        }
        IniSettingsStore again(file);
        QCOMPARE(UserMenus::load(again), menus);
    }

    void namesTheStoreWouldMergeAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("same") << "Editor" << true;
        QTest::newRow("letter case only") << "editor" << true;
        QTest::newRow("other") << "Editor 2" << false;
        QTest::newRow("non-ASCII case") << "ÜBER" << true;
    }
    void namesTheStoreWouldMergeAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        const QString problem = UserMenus::nameProblem({"Editor", "über"}, name);
        QCOMPARE(problem, refused ? QStringLiteral("Menu Names must be different from other menus") : QString());
    }

    void aFailedSaveIsToldWithTheStoresReason()
    {
        FailingSettingsStore store;
        QCOMPARE(UserMenus::save(store, {{"Editor", "/usr/bin/editor"}}),
                 QStringLiteral("Error saving menus: 1 - No space left on device"));
    }

    // The file chooser fills the name with the file's name, extension included, all selected so
    // that typing replaces it; Add's three checks come in order and change nothing.
    void addingAMenu()
    {
        MenuRig r;
        r.open();
        r.dialog->show();
        r.prompts.chosenPaths.enqueue("/games/duke3d/tools/MapEdit.EXE");
        r.dialog->cmdUserDefDir_Click();
        auto *name = r.get<QLineEdit>("txtUserDefMnuName");
        QCOMPARE(r.get<QLineEdit>("txtUserDefDir")->text(), QStringLiteral("/games/duke3d/tools/MapEdit.EXE"));
        QCOMPARE(name->text(), QStringLiteral("MapEdit.EXE"));
        QCOMPARE(name->selectedText(), QStringLiteral("MapEdit.EXE"));
        QTRY_VERIFY(name->hasFocus());

        r.prompts.chosenPaths.enqueue(QString()); // cancelled: nothing changes
        r.dialog->cmdUserDefDir_Click();
        QCOMPARE(name->text(), QStringLiteral("MapEdit.EXE"));

        r.dialog->cmdAdd_Click();
        QCOMPARE(r.list("lstAdded"), QStringList{"MapEdit.EXE"});
        QVERIFY(name->text().isEmpty() && r.get<QLineEdit>("txtUserDefDir")->text().isEmpty());
        QCOMPARE(r.dialog->addedPaths(), QStringList{"/games/duke3d/tools/MapEdit.EXE"});

        r.dialog->cmdAdd_Click();
        r.get<QLineEdit>("txtUserDefDir")->setText("/bin/true");
        r.dialog->cmdAdd_Click();
        name->setText("mapedit.exe");
        r.dialog->cmdAdd_Click();
        QCOMPARE(r.prompts.texts(), (QStringList{"Please select a file.", "Please type a name for your menu.",
                                                  "Menu Names must be different from other menus"}));
        for (const FakePrompts::Shown &s : r.prompts.shown)
            QCOMPARE(s.icon, Prompts::Icon::Exclamation);
        QCOMPARE(r.list("lstAdded"), QStringList{"MapEdit.EXE"});
    }

    // Remove, un-remove, the "all" buttons and the order buttons move a path with its name.
    void managingTheLists()
    {
        MenuRig r;
        r.open();
        r.add("/a/one.sh", "One");
        r.add("/b/two.txt", "Two");
        r.add("/c/three.exe", "Three");

        r.dialog->cmdRemove_Click(); // nothing selected
        QCOMPARE(r.prompts.texts(), QStringList{"Please select a menu item."});
        QCOMPARE(r.prompts.shown[0].icon, Prompts::Icon::None);

        r.select("lstAdded", 0);
        r.dialog->cmdUp_Click(); // the first stays first
        QCOMPARE(r.list("lstAdded"), (QStringList{"One", "Two", "Three"}));
        r.dialog->cmdDown_Click();
        QCOMPARE(r.list("lstAdded"), (QStringList{"Two", "One", "Three"}));
        QCOMPARE(r.dialog->addedPaths(), (QStringList{"/b/two.txt", "/a/one.sh", "/c/three.exe"}));
        QCOMPARE(r.get<QListWidget>("lstAdded")->currentRow(), 1); // still on the moved entry
        r.select("lstAdded", 2);
        r.dialog->cmdDown_Click(); // the last stays last
        QCOMPARE(r.list("lstAdded"), (QStringList{"Two", "One", "Three"}));
        QCOMPARE(r.get<QGroupBox>("fraManager")->title(), QStringLiteral("/c/three.exe"));

        // Removed, added again, un-removed: the name stands twice, as the player did it.
        r.select("lstAdded", 1);
        r.dialog->cmdRemove_Click();
        QCOMPARE(r.list("lstRemoved"), QStringList{"One"});
        r.add("/a/other.sh", "One");
        r.select("lstRemoved", 0);
        r.dialog->cmdAddBack_Click();
        QCOMPARE(r.list("lstAdded"), (QStringList{"Two", "Three", "One", "One"}));
        QCOMPARE(r.dialog->addedPaths(), (QStringList{"/b/two.txt", "/c/three.exe", "/a/other.sh", "/a/one.sh"}));

        r.dialog->cmdRemAll_Click();
        QVERIFY(r.list("lstAdded").isEmpty());
        QCOMPARE(r.dialog->removedPaths().size(), 4);
        r.dialog->cmdRemAllBack_Click();
        QCOMPARE(r.list("lstAdded"), (QStringList{"Two", "Three", "One", "One"}));
        QVERIFY(r.list("lstRemoved").isEmpty());
    }

    // OK and the close box both store the kept menus in order and rebuild the menu; removed
    // ones go from both, and with none left the separator goes too.
    void closingInAnyWaySaves_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("OK") << false;
        QTest::newRow("close box") << true;
    }
    void closingInAnyWaySaves()
    {
        QFETCH(bool, closeBox);
        MenuRig r;
        UserMenus::save(r.store, {{"Old", "/old/old.sh"}, {"Kept", "/k/kept.sh"}});
        r.bar.loadFromStore();
        QCOMPARE(r.menuCaptions(), (QStringList{"Old", "Kept"}));
        QVERIFY(r.separator->isVisible());

        r.open();
        QCOMPARE(r.list("lstAdded"), (QStringList{"Old", "Kept"}));
        QCOMPARE(r.dialog->addedPaths(), (QStringList{"/old/old.sh", "/k/kept.sh"}));
        r.select("lstAdded", 0);
        r.dialog->cmdRemove_Click();
        r.add("/n/new.txt", "New & shiny");
        r.dialog->show();
        if (closeBox)
            r.dialog->close();
        else
            r.button("cmdUserDefOk")->click();
        QCOMPARE(r.menuCaptions(), (QStringList{"Kept", "New && shiny"}));
        QCOMPARE(UserMenus::load(r.store), (QList<UserMenu>{{"Kept", "/k/kept.sh"}, {"New & shiny", "/n/new.txt"}}));

        r.open();
        r.dialog->cmdRemAll_Click();
        r.dialog->reject(); // Esc
        QVERIFY(r.menuCaptions().isEmpty());
        QVERIFY(!r.separator->isVisible());
        QVERIFY(UserMenus::load(r.store).isEmpty());
    }

    // The store cannot keep them: the menu still shows what the player kept, and says so.
    void aFailedSaveKeepsTheMenuForThisRun()
    {
        FailingSettingsStore store;
        MenuRig r;
        Platform failing{store, r.files, r.prompts, QString()};
        Module1 m(failing);
        UserMenuBar bar(m, r.menu, *r.separator);
        frmUserDef dialog(m, bar, &r.owner);
        r.setRoot(&dialog);
        r.prompts.chosenPaths.enqueue("/x/y.sh");
        dialog.cmdUserDefDir_Click();
        dialog.cmdAdd_Click();
        dialog.accept();
        QCOMPARE(r.prompts.texts(), QStringList{"Error saving menus: 1 - No space left on device"});
        QCOMPARE(bar.names(), QStringList{"y.sh"});
    }

    // A menu whose stored path is missing opens nothing and says nothing.
    void aMenuWithoutAPathDoesNothing()
    {
        MenuRig r;
        r.store.setValue("MenuName", "GhostName", "Ghost");
        r.bar.loadFromStore();
        QCOMPARE(r.menuCaptions(), QStringList{"Ghost"});
        r.bar.items().first()->trigger();
        QVERIFY(r.prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestUserMenus)
#include "tst_usermenus.moc"
