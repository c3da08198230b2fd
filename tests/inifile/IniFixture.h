#pragma once
// The smallest world for the settings file: the fake platform with its in-memory profile files.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "inifile/SafeIniFiles.h"
#include "platform/fake/FakePlatform.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace inifile::testing {

class IniTest : public ::testing::Test {
protected:
    const std::u16string path = u"/home/user/.config/QV Tovra/tovra.ini";
    platform::fake::FakePlatform fp;
    platform::fake::FakeProfileFiles& files = fp.profileFilesFake;
    std::unique_ptr<TSafeIniFile> ini = std::make_unique<TSafeIniFile>(path, true);

    // The file as stored, UTF-8.
    std::string stored() const { return files.text(path); }
    void store(const std::string& utf8) { files.setText(path, utf8); }
    // The message of what `f` raises, checking its class.
    template <class E, class F>
    static std::u16string messageOf(F&& f) {
        try {
            f();
        } catch (const E& e) {
            return e.Message();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "wrong exception: " << e.what();
            return {};
        }
        ADD_FAILURE() << "nothing raised";
        return {};
    }
};

inline std::string u8(const std::u16string& s) { return ui::ToUtf8(s); }

}  // namespace inifile::testing
