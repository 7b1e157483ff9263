#pragma once

#include <QString>

class SettingsStore;
class Files;
class Prompts;
class GameRunner;
class GameWindows;
class Random;
class Beep;
class DesktopOpener;

// Everything Zentrel needs from the system, created once in main() (tests build their own with
// fakes) and handed to the windows through their constructors.
struct Platform
{
    SettingsStore &settings;
    Files &files;
    Prompts &prompts;
    QString programDir; // directory of the program's executable: help file and stock game files
    GameRunner *runner = nullptr;   // starts the game's programs
    GameWindows *windows = nullptr; // finds, hides and closes the game's window
    Random *random = nullptr;       // the randomizer's draws
    Beep *beep = nullptr;           // the game timer's beep
    DesktopOpener *desktop = nullptr; // documents and web addresses, opened with the desktop's program
    QString settingsFile{};       // where the settings store lives, for messages
};
