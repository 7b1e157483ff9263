#pragma once

class Module1;
class QWidget;

// Tells the player that the settings store could not save a change (the new values still hold
// for this run).
void reportUnsavedSettings(Module1 &module1, QWidget *parent);
