#pragma once
// Message boxes, pickers and modal forms that answer from a script.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/FormDisplay.h"
#include "platform/MessageBoxes.h"
#include "platform/Pickers.h"

namespace platform::fake {

struct MessageBoxCall {
    const ui::TComponent* owner;
    std::u16string text, caption;
    uint32_t flags;
    bool error;  // ShowError rather than MessageBox
};

class FakeMessageBoxes : public MessageBoxes {
public:
    // Each box takes the next answer; the answer runs while the box is "open" (it may advance
    // the clock or process messages, as a user would leave a real box open) and returns the
    // button. With no answer queued the box is closed at once with IDOK.
    using Answer = std::function<int(const MessageBoxCall&)>;
    void queue(Answer a) { FAnswers.push_back(std::move(a)); }
    int MessageBox(const ui::TComponent* owner, const std::u16string& text,
                   const std::u16string& caption, uint32_t flags) override;
    void ShowError(const std::u16string& text) override;
    std::vector<MessageBoxCall> calls;
    int openCount = 0;  // boxes open right now (nesting depth)

private:
    std::deque<Answer> FAnswers;
};

class FakePickers : public Pickers {
public:
    std::deque<std::optional<int32_t>> colors;  // next answers; empty queue = cancelled
    std::deque<std::function<bool(ui::TFont&)>> fonts;
    std::deque<std::optional<std::u16string>> files;
    std::vector<std::u16string> fileFilters;  // filters passed, in order
    std::optional<int32_t> PickColor(int32_t initial) override;
    bool PickFont(ui::TFont& font) override;
    std::optional<std::u16string> PickOpenFile(const std::u16string& filter,
                                               const std::u16string& initialPath) override;
};

class FakeFormDisplay : public FormDisplay {
public:
    // Runs while the form is "shown": sets control values, clicks OK or Cancel. A form left
    // without a modal result is closed as cancelled by the form itself.
    std::deque<std::function<void(ui::TForm&)>> sessions;
    void ShowModal(ui::TForm& form) override;
    void FormChanged(ui::TForm&) override { ++changes; }
    void BringToFront(ui::TForm& form) override { fronted.push_back(&form); }
    std::vector<const ui::TForm*> fronted;
    int shown = 0;
    int changes = 0;
    bool visible = false;
};

}  // namespace platform::fake
