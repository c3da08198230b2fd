#pragma once
// The parts of the freedesktop Desktop Entry format the autostart entry needs: string
// escapes and the quoting of the Exec key.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::linux_ {

// Value escapes of the key-file format: \s \n \t \r \\.
std::string escapeDesktopValue(std::string_view s);
std::string unescapeDesktopValue(std::string_view s);

// One argument as Exec expects it, before the value escapes: quoted when it holds a
// reserved character, '%' doubled.
std::string quoteExecArg(std::string_view arg);
// Splits an (unescaped) Exec value into arguments; nullopt when the quoting is broken.
std::optional<std::vector<std::string>> splitExec(std::string_view exec);

// Value of `key` in the [Desktop Entry] group (unescaped); nullopt when absent.
std::optional<std::string> desktopEntryValue(std::string_view file, std::string_view key);

}  // namespace platform::linux_
