#pragma once

class GameRunner;
struct Platform;

// The game runner with the player's current DOSBox setting ([Paths] DOSBox), which may have been
// edited since the last start; null when there is none.
GameRunner *preparedRunner(Platform &platform);
