#pragma once

class Module1;
class QWidget;

// Tells the player that the settings store could not save a change (the new values still hold
// for this run).
void reportUnsavedSettings(Module1 &module1, QWidget *parent);

// The same for what Zentrel saves on its own (defaults at start-up, the version at exit): said
// once a run, and not at all when the player was already told the settings cannot be saved.
void reportUnsavedSettingsOnce(Module1 &module1, QWidget *parent);
