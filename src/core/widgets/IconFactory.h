#pragma once

#include <QIcon>

// The pictures of Zentrel's picture buttons and its program icon, painted with QPainter so the
// program ships no artwork. Each icon carries pixmaps for the common sizes at 1x and 2x, so it
// stays crisp under a scale factor.
namespace IconFactory {

enum class Picture {
    Program,   // the window icon: a radiation sign on a dark badge
    Launch,    // a play triangle
    Clear,     // an eraser: "Clear All Options"
    Timer,     // a clock face
    Folder,    // an opening folder
    Open,      // a folder with a document
    Save,      // a floppy disk
    Default,   // a document with a star: the stock file
    Revert,    // an arrow turning back
    Randomize, // a die
    ClearPanel, // a written page crossed out: clear one panel's options
    Map,       // a folded map with a route: choose a user map
};

QIcon icon(Picture picture);

} // namespace IconFactory
