#pragma once

class CommandLine;
class QComboBox;
class QListWidget;

// An episode was picked in one panel: that panel's user map and the saved game are dropped, the
// level list is filled with the episode's levels (none selected, focus on it) and EpisodeSwitch
// is set. LevelSwitch is cleared too, so an old level never travels with a new episode.
void ChooseEpisode(QComboBox *episodes, QComboBox *levels, QListWidget *maps, QComboBox *savedGames,
                   CommandLine &commandLine);
