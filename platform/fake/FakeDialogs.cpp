#include "platform/fake/FakeDialogs.h"

namespace platform::fake {

int FakeMessageBoxes::MessageBox(const ui::TComponent* owner, const std::u16string& text,
                                 const std::u16string& caption, uint32_t flags) {
    calls.push_back({owner, text, caption, flags, false});
    if (FAnswers.empty()) return IDOK;
    Answer a = std::move(FAnswers.front());
    FAnswers.pop_front();
    ++openCount;
    struct Close {
        int& n;
        ~Close() { --n; }
    } close{openCount};
    return a(calls.back());
}

void FakeMessageBoxes::ShowError(const std::u16string& text) {
    calls.push_back({nullptr, text, u"", MB_ICONERROR, true});
}

std::optional<int32_t> FakePickers::PickColor(int32_t) {
    if (colors.empty()) return std::nullopt;
    auto c = colors.front();
    colors.pop_front();
    return c;
}

bool FakePickers::PickFont(ui::TFont& font) {
    if (fonts.empty()) return false;
    auto f = std::move(fonts.front());
    fonts.pop_front();
    return f(font);
}

std::optional<std::u16string> FakePickers::PickOpenFile(const std::u16string& filter,
                                                        const std::u16string&) {
    fileFilters.push_back(filter);
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
}

void FakeFormDisplay::ShowModal(ui::TForm& form) {
    ++shown;
    visible = true;
    if (!sessions.empty()) {
        auto s = std::move(sessions.front());
        sessions.pop_front();
        s(form);
    }
    visible = false;
}

}  // namespace platform::fake
