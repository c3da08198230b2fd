#pragma once
// Short, bounded calls to the desktop's services on the session bus, for the idle-time and
// monitor-power services. Every call gives up after a fixed time so that a hung desktop
// service cannot freeze the GUI thread.
#include <cstdint>
#include <optional>
#include <string>

namespace platform::linux_ {

// True in a Wayland session, where the X server (if any) sees only X clients' input.
bool waylandSession();

constexpr int kDesktopCallTimeoutMs = 500;

// Calls a method that takes no arguments and returns one unsigned integer (u or t).
std::optional<uint64_t> callUnsigned(const char* service, const char* path, const char* iface,
                                     const char* method);
// Calls a method with one string argument (or none when `arg` is null); true on a reply.
bool callWithString(const char* service, const char* path, const char* iface,
                    const char* method, const char* arg);
// org.freedesktop.DBus.Properties.Set of an int32 property; true on a reply.
bool setIntProperty(const char* service, const char* path, const char* iface,
                    const char* property, int32_t value);

}  // namespace platform::linux_
