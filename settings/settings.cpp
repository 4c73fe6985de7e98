#include "settings/settings.h"

#include "settings/user_folder.h"

#include <ini.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace settings {
namespace {

namespace fs = std::filesystem;

bool readWhole(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = static_cast<int>(v);
    return true;
}

struct LoadState {
    std::map<std::string, std::map<std::string, std::string>>* entries;
    const std::vector<Key>* keys;
    std::string problem;
};

int onEntry(void* user, const char* section, const char* name, const char* value)
{
    auto& s = *static_cast<LoadState*>(user);
    for (const Key& k : *s.keys) {
        if (k.section != section || k.name != name)
            continue;
        int v = 0;
        if (!readWhole(value, v) || !k.valid(v)) {
            if (s.problem.empty())
                s.problem = "[" + k.section + "] " + k.name + " = " + value + " is not a value it can take";
            (*s.entries)[section].erase(name);
            return 1;
        }
        break;
    }
    (*s.entries)[section][name] = value;
    return 1;
}

std::string reasonOf(int error) { return std::strerror(error); }

// Where the bytes go: the target of a link, so that a linked settings file
// (a dotfile kept elsewhere) stays linked.
std::string writeTarget(const std::string& path)
{
    std::error_code e;
    if (fs::is_symlink(path, e)) {
        const fs::path target = fs::canonical(path, e);
        if (!e)
            return target.string();
    }
    return path;
}

// A new file beside `target` with a name no other save uses. Made with mode
// 0666 so that the kernel applies the umask and a settings file reads like any
// other; reading the umask would mean changing it, and other threads may be
// creating files meanwhile.
int createTemporary(const std::string& target, std::string& temporary)
{
    static std::atomic<unsigned> count{0};
    const std::string stem = target + "." + std::to_string(getpid()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + std::to_string(count++) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        // A name taken is one left by a process that had this id before.
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

std::string defaultPath()
{
    const std::string config = userFolder("XDG_CONFIG_HOME", ".config");
    return config.empty() ? std::string() : config + "/fernhollow/settings.ini";
}

SettingsFile::SettingsFile(std::string path, std::vector<Key> keys) : path_(std::move(path)), keys_(std::move(keys))
{
}

const Key* SettingsFile::find(const std::string& section, const std::string& name) const
{
    for (const Key& k : keys_)
        if (k.section == section && k.name == name)
            return &k;
    return nullptr;
}

std::string SettingsFile::load()
{
    if (path_.empty())
        return {};
    FILE* f = std::fopen(path_.c_str(), "r");
    if (!f)
        return errno == ENOENT ? std::string() : "cannot read " + path_ + ": " + reasonOf(errno);
    struct stat st;
    if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(f);
        return "cannot read " + path_ + ": not a file";
    }
    LoadState state{&entries_, &keys_, {}};
    const int line = ini_parse_file(f, onEntry, &state);
    const bool readFailed = std::ferror(f) != 0;
    std::fclose(f);
    if (readFailed)
        return "cannot read " + path_ + ": " + reasonOf(EIO);
    if (line > 0)
        return path_ + " line " + std::to_string(line) + " cannot be read";
    if (!state.problem.empty())
        return path_ + ": " + state.problem;
    return {};
}

std::optional<int> SettingsFile::get(const std::string& section, const std::string& name) const
{
    const Key* k = find(section, name);
    auto s = entries_.find(section);
    if (!k || s == entries_.end())
        return std::nullopt;
    auto e = s->second.find(name);
    int v = 0;
    if (e == s->second.end() || !readWhole(e->second, v) || !k->valid(v))
        return std::nullopt;
    return v;
}

void SettingsFile::set(const std::string& section, const std::string& name, int value)
{
    entries_[section][name] = std::to_string(value);
}

bool SettingsFile::save(std::string& error) const
{
    if (path_.empty()) {
        error = "no settings folder: neither XDG_CONFIG_HOME nor HOME is set";
        return false;
    }
    const std::string target = writeTarget(path_);
    const fs::path folder = fs::path(target).parent_path();
    std::error_code made;
    if (!folder.empty())
        fs::create_directories(folder, made);
    if (made) {
        error = "cannot make " + folder.string() + ": " + made.message();
        return false;
    }

    std::string text = "# Fernhollow settings, rewritten by the game when one changes.\n";
    for (const auto& [section, names] : entries_) {
        if (names.empty())
            continue;
        text += "\n[" + section + "]\n";
        for (const auto& [name, value] : names)
            text += name + " = " + value + "\n";
    }

    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) {
        error = "cannot write " + target + ": " + reasonOf(errno);
        return false;
    }
    int reason = 0;
    errno = 0;
    if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()) || fsync(fd) != 0)
        reason = errno ? errno : EIO;
    if (::close(fd) != 0 && reason == 0)
        reason = errno;
    if (reason == 0 && std::rename(temporary.c_str(), target.c_str()) != 0)
        reason = errno;
    const bool ok = reason == 0;
    if (!ok) {
        unlink(temporary.c_str());
        error = "cannot write " + target + ": " + reasonOf(reason);
    }
    return ok;
}

} // namespace settings
