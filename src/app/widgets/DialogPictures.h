#pragma once

#include <QIcon>
#include <QPixmap>

class QWidget;

// Small pictures for the configuration dialogs, drawn in code so they stay sharp at any scale.
namespace DialogPictures {

enum class Picture {
    LaunchWindow, // Zentrel's window at launch
    RtsFile,      // a sound file coming back
    ConFile,      // a script file coming back
    HiddenWindow, // a DOS window hidden away
    ClosedWindow, // a DOS window being closed
};

QIcon icon(Picture picture);

// A square picture at the pixel ratio of the widget that shows it.
QPixmap pixmapFor(const QWidget *widget, Picture picture, int size);

} // namespace DialogPictures
