#include "tests/platform/TestEnv.h"

#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace testenv {

ScopedEnv::~ScopedEnv() {
    for (auto& [name, value] : FSaved) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
}

void ScopedEnv::remember(const std::string& name) {
    if (FSaved.count(name)) return;
    const char* v = getenv(name.c_str());
    FSaved[name] = v ? std::optional<std::string>(v) : std::nullopt;
}

void ScopedEnv::set(const std::string& name, const std::string& value) {
    remember(name);
    setenv(name.c_str(), value.c_str(), 1);
}

void ScopedEnv::unset(const std::string& name) {
    remember(name);
    unsetenv(name.c_str());
}

TempHome::TempHome() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tovra-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    FPath = tmpl;
    FEnv.set("HOME", FPath);
    FEnv.set("XDG_CONFIG_HOME", FPath + "/.config");
    FEnv.set("LANG", "C.UTF-8");
}

TempHome::~TempHome() {
    std::error_code ec;
    // Tests make folders unwritable; give the rights back so that everything goes.
    for (auto it = std::filesystem::recursive_directory_iterator(
             FPath, std::filesystem::directory_options::skip_permission_denied, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec)) chmod(it->path().c_str(), 0700);
    chmod(FPath.c_str(), 0700);
    std::filesystem::remove_all(FPath, ec);
}

std::string readText(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void writeText(const std::string& path, const std::string& text, int mode) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f << text;
    }
    chmod(path.c_str(), mode_t(mode));
}

std::string runCapture(const std::vector<std::string>& argv) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, fds[1], 1);
    posix_spawn_file_actions_addclose(&fa, fds[0]);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    int rc = posix_spawn(&pid, args[0], &fa, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    close(fds[1]);
    std::string out;
    char buf[4096];
    for (ssize_t n; rc == 0 && (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, size_t(n));
    close(fds[0]);
    if (rc == 0) waitpid(pid, nullptr, 0);
    return out;
}

bool waitForFile(const std::string& path, int ms, bool mayBeEmpty) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        struct stat st{};
        if (stat(path.c_str(), &st) == 0 && (mayBeEmpty || st.st_size > 0)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace testenv
