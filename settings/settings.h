#pragma once
// Settings that outlast the process: whole numbers by section and name in an
// INI file, read at start-up and rewritten whole, atomically, when one
// changes. Knows nothing of the game; the game says which keys exist.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace settings {

// A setting the file may hold and the values it may take.
struct Key {
    std::string section;
    std::string name;
    bool (*valid)(int value);
};

// $XDG_CONFIG_HOME/fernhollow/settings.ini, or ~/.config/fernhollow/settings.ini
// when XDG_CONFIG_HOME is unset or not an absolute path (see userFolder);
// empty when there is no home either.
std::string defaultPath();

class SettingsFile {
public:
    SettingsFile(std::string path, std::vector<Key> keys);

    // Reads the file over what is held. A missing file holds nothing and is
    // no fault. What cannot be read (an unreadable file, a malformed line, a
    // value a key does not take) is left out, and the first such problem is
    // returned as one line; empty when all went well. The file is not touched.
    std::string load();

    // The value held for a known key, if any.
    std::optional<int> get(const std::string& section, const std::string& name) const;
    void set(const std::string& section, const std::string& name, int value);

    // Writes what is held, with the entries of keys this program does not
    // know that the file had, to a temporary file beside it, then renames it
    // over the file (a link is followed); makes the folder when missing. On
    // failure returns false with one line in error and the old file stays.
    bool save(std::string& error) const;

private:
    const Key* find(const std::string& section, const std::string& name) const;

    std::string path_;
    std::vector<Key> keys_;
    // section -> name -> value as written in the file.
    std::map<std::string, std::map<std::string, std::string>> entries_;
};

} // namespace settings
