#pragma once

class QWidget;

// The configuration dialogs open in the middle of the screen, not over their owner.
void centreOnScreen(QWidget *dialog);
