#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class SinglePlayerPanel;
}
struct LaunchContext;
class QAbstractButton;
class QComboBox;
class QListWidget;

// The Single Player panel (contents of picOptions_0): episode, level, skill, user map, saved game
// and computer-controlled Dukes, each writing its switch into the shared CommandLine.
class SinglePlayerPanel : public QWidget
{
    Q_OBJECT
public:
    explicit SinglePlayerPanel(LaunchContext &context, QWidget *parent = nullptr);
    ~SinglePlayerPanel() override;

    bool isOn() const;      // chkSingle ticked
    void setOn(bool on);    // ticks or unticks chkSingle; its handler runs on a change
    void setFrameEnabled(bool enabled); // fraSingPl: on once the game directory is known
    void reinitialise();    // unticks and re-ticks chkSingle when it is ticked (version change)
    void ClearSinglePlayerOptions();

    // A user map was chosen and copied (the caller does the dialog and the copy): the episode,
    // level, saved game and skill are dropped and the map list shows the file's name.
    void showUserMap(const QString &fileName);

    // The saved-game list, read afresh ("slot description" items). A saved game that is chosen
    // stays chosen while its slot is still there; one that is gone is no longer passed.
    void setSavedGames(const QStringList &items);

    // Controls that the launch checks and the saved-game scan fill.
    QComboBox *episodeList() const;
    QComboBox *levelList() const;
    QComboBox *savedGameList() const;
    QListWidget *mapList() const;
    QAbstractButton *mapButton() const;

private:
    void connectSignals();
    void setupPictures();
    void fillEpisodes(bool allFour);

    void chkSingle_Click(bool ticked);
    void cmbEpisode_Click();
    void cmbLevel_Click(int index);
    void optLvl_Click(int skill);
    void chkMultiDuke_Click(bool ticked);
    void cmbMultiDukes_Click(int index);
    void cmbSaved_Click(int index);

    LaunchContext &ctx;
    std::unique_ptr<Ui::SinglePlayerPanel> ui;
};
