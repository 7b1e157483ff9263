#pragma once

class CommandLine;
class CompactComboBox;
class QComboBox;
class QListWidget;

// An episode was picked in one panel: that panel's user map and the saved game are dropped, the
// level list is filled with the episode's levels (none selected; the focus moves on to it unless
// the player is only browsing the episodes with the arrow keys) and EpisodeSwitch is set.
// LevelSwitch is cleared too, so an old level never travels with a new episode.
void ChooseEpisode(CompactComboBox *episodes, QComboBox *levels, QListWidget *maps, QComboBox *savedGames,
                   CommandLine &commandLine);
