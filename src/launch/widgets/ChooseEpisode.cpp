#include "launch/widgets/ChooseEpisode.h"

#include "launch/CommandLine.h"
#include "launch/EpisodeTables.h"
#include "launch/widgets/PanelHelpers.h"

#include "core/widgets/CompactComboBox.h"

#include <QComboBox>
#include <QListWidget>

void ChooseEpisode(CompactComboBox *episodes, QComboBox *levels, QListWidget *maps, QComboBox *savedGames,
                   CommandLine &commandLine)
{
    maps->clear();
    commandLine.UserMapSwitch.clear();
    PanelHelpers::selectIndex(savedGames, -1);
    commandLine.SavedGameSwitch.clear();
    PanelHelpers::fillList(levels);
    commandLine.LevelSwitch.clear();

    const int episode = episodes->currentIndex();
    if (episode < 0) {
        commandLine.EpisodeSwitch.clear();
        return;
    }
    commandLine.EpisodeSwitch = EpisodeTables::episodeSwitch(episode);
    PanelHelpers::fillList(levels, EpisodeTables::levelNames(episode));
    if (!episodes->browsing())
        levels->setFocus(Qt::OtherFocusReason);
}
