#pragma once

#include <QString>
#include <QStringList>

// The names of the game's episodes and levels. A switch carries the name's list position plus 1.
namespace EpisodeTables {

constexpr int EpisodeCount = 4;

// The episodes offered: the first three, and "The Birth" under version 1.4/1.5.
QStringList episodeNames(bool version15);

// The levels of episode 0..3 in table order; empty for any other number.
QStringList levelNames(int episode);

// " /v<n>" and " /l<n>" for list position p (n = p + 1).
QString episodeSwitch(int position);
QString levelSwitch(int position);

} // namespace EpisodeTables
