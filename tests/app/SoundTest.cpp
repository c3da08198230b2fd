// The alert sound: which files go to the audio library and which to their associated program,
// and the calls made to the library.
#include <string>
#include <vector>

#include "tests/app/AppFixture.h"

namespace app::test {
namespace {

enum class Route { None, Library, Shell };

class SoundTest : public AppFixture {
protected:
    // The route `file` took, and the flags of the stream when the library played it.
    Route routeOf(const std::u16string& file, uint32_t* flags = nullptr) {
        fp.audioFake.calls.clear();
        fp.shellFake.calls.clear();
        form->PlayAlertSound(file);
        bool created = false;
        for (auto& c : fp.audioFake.calls)
            if (c.op == "create") {
                created = true;
                EXPECT_EQ(c.path, file);
                if (flags) *flags = c.flags;
            }
        if (!fp.shellFake.calls.empty()) {
            EXPECT_FALSE(created);
            EXPECT_EQ(fp.shellFake.calls.size(), 1u);
            EXPECT_EQ(fp.shellFake.calls[0].target, file);
            EXPECT_EQ(fp.shellFake.calls[0].showCmd, platform::SW_RESTORE);
            return Route::Shell;
        }
        return created ? Route::Library : Route::None;
    }
};

TEST_F(SoundTest, RouteFollowsTheExtensionAndTheExternalPlayerOption) {
    struct Case {
        const char16_t* file;
        bool exists;
        bool external;
        Route route;
    };
    const Case cases[] = {
        {u"", false, false, Route::None},
        {u"/snd/missing.mp3", false, false, Route::None},
        {u"/snd/missing.ogg", false, true, Route::None},
        {u"/snd/alarm.mp3", true, false, Route::Library},
        {u"/snd/ALARM.Mp3", true, false, Route::Library},
        {u"/snd/a.MP3", true, false, Route::Library},
        {u"/snd/a.wav", true, false, Route::Library},
        {u"/snd/a.WAV", true, false, Route::Library},
        {u"/snd/a.ogg", true, false, Route::Shell},
        {u"/snd/a.avi", true, false, Route::Shell},
        {u"/snd/a.mp3.txt", true, false, Route::Shell},
        {u"/snd/a.mp4", true, false, Route::Shell},
        {u"/snd/alarm", true, false, Route::Shell},
        {u"/snd.mp3/alarm", true, false, Route::Shell},    // the dot is in a folder name
        {u"/my.sounds/a.wav", true, false, Route::Library},
        {u"/snd/alarm.mp3", true, true, Route::Shell},
        {u"/snd/a.wav", true, true, Route::Shell},
        {u"/snd/a.ogg", true, true, Route::Shell},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ui::ToUtf8(c.file) + (c.external ? " external" : ""));
        fp.fileSystemFake.files.clear();
        if (c.exists) fp.fileSystemFake.addFile(c.file, "data");
        form->CheckBox1->SetChecked(c.external);
        EXPECT_EQ(routeOf(c.file), c.route);
    }
}

TEST_F(SoundTest, LoopTheSoundSetsTheLoopFlag) {
    fp.fileSystemFake.addFile(u"/snd/alarm.mp3", "ID3");
    for (bool loop : {true, false}) {
        form->CheckBox2->SetChecked(loop);
        uint32_t flags = 0;
        ASSERT_EQ(routeOf(u"/snd/alarm.mp3", &flags), Route::Library);
        EXPECT_EQ(flags, loop ? 0x80000004u : 0x80000000u);
    }
}

TEST_F(SoundTest, EachStreamStopsThePreviousOneBeforeItIsCreated) {
    form->PlayMusic(u"/snd/a.mp3", true);
    form->PlayMusic(u"/snd/b.wav", false);
    form->StopMusic();
    std::vector<std::string> ops;
    std::vector<uint32_t> handles;
    for (auto& c : fp.audioFake.calls) {
        ops.push_back(c.op);
        handles.push_back(c.handle);
    }
    EXPECT_EQ(ops, (std::vector<std::string>{"stop", "create", "play", "stop", "create", "play",
                                             "stop"}));
    ASSERT_EQ(handles.size(), 7u);
    EXPECT_EQ(handles[0], 0u);  // nothing played yet: stopping handle 0 is harmless
    EXPECT_EQ(handles[3], handles[1]);
    EXPECT_EQ(handles[6], handles[4]);
    EXPECT_EQ(form->strs, handles[4]);
    EXPECT_TRUE(fp.audioFake.playing.empty());
}

TEST_F(SoundTest, UnplayableFileLeavesHandleZeroAndNoHarm) {
    fp.audioFake.unplayable.insert(u"/snd/bad.mp3");
    form->PlayMusic(u"/snd/bad.mp3", false);
    EXPECT_EQ(form->strs, 0u);
    form->StopMusic();
    EXPECT_EQ(fp.audioFake.calls.back().op, "stop");
    EXPECT_EQ(fp.audioFake.calls.back().handle, 0u);
}

TEST_F(SoundTest, WithoutTheLibraryMp3IsSilentButOtherFilesStillOpen) {
    AudioAvailable = false;
    fp.fileSystemFake.addFile(u"/snd/alarm.mp3", "ID3");
    fp.fileSystemFake.addFile(u"/snd/alarm.ogg", "OggS");
    fp.audioFake.calls.clear();
    EXPECT_EQ(routeOf(u"/snd/alarm.mp3"), Route::None);
    EXPECT_EQ(routeOf(u"/snd/alarm.ogg"), Route::Shell);
    form->StopMusic();
    EXPECT_TRUE(fp.audioFake.calls.empty());
}

}  // namespace
}  // namespace app::test
