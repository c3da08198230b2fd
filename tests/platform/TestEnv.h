#pragma once
// A private world for one backend test: a temporary folder that serves as HOME and
// XDG_CONFIG_HOME, with every variable the test changes put back afterwards.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testenv {

class ScopedEnv {
public:
    ~ScopedEnv();
    void set(const std::string& name, const std::string& value);
    void unset(const std::string& name);

private:
    void remember(const std::string& name);
    std::map<std::string, std::optional<std::string>> FSaved;
};

class TempHome {
public:
    TempHome();  // sets HOME, XDG_CONFIG_HOME=<home>/.config, LANG=C.UTF-8
    ~TempHome();
    const std::string& path() const { return FPath; }
    ScopedEnv& env() { return FEnv; }

private:
    std::string FPath;
    ScopedEnv FEnv;
};

std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text, int mode = 0644);
// Runs argv[0] (no shell) and returns what it wrote to standard output.
std::string runCapture(const std::vector<std::string>& argv);
// Polls until `path` exists (and is non-empty unless `mayBeEmpty`), for at most `ms`.
bool waitForFile(const std::string& path, int ms, bool mayBeEmpty = false);

}  // namespace testenv
