#pragma once
// The menu pages' settings that outlast the process, bound to the Game's
// live values. Building a page sets its values to the stored ones (the
// page's own defaults for those never stored); a click that changes a
// page's values stores them all and rewrites the file.
#include "settings/settings.h"

class Game;

// The menu page a persisted setting belongs to; also its section in the file.
enum class SettingsPage { None, Options, NewCourse };

class GameSettings {
public:
    // The file in the user's settings folder.
    GameSettings();
    // Reads the file and sets the Game's values to those it holds; the rest
    // keep the values a fresh start gives them. A problem with the file is
    // one line on stderr, and the file stays as it is.
    void load(Game& game);
    // Sets the page's values to the stored ones, or the page's defaults.
    void applyToPage(Game& game, SettingsPage page);
    // Stores the page's values and rewrites the file when any differs from
    // what is stored (or, never stored, from the page's default). A file
    // that cannot be written is one line on stderr; the values still hold
    // for this run.
    void storeIfChanged(Game& game, SettingsPage page);

private:
    settings::SettingsFile file_;
    std::string lastError_;  // the last save failure reported, so it is said once
};
