#pragma once
// Small components with published text properties for the localisation tests.
#include <memory>
#include <string>
#include <vector>

#include "lang/DKLang.h"
#include "ui/ClassBuilder.h"
#include "ui/Font.h"
#include "ui/StringList.h"

namespace langtest {

// A form: Caption and Hint.
class TTestForm : public ui::TComponent {
    TOVRA_CLASS(TTestForm)
public:
    using TComponent::TComponent;
    ~TTestForm() override { DestroyComponents(); }
    std::u16string caption, hint;
    const std::u16string& Caption() const { return caption; }
    void SetCaption(const std::u16string& v) { caption = v; }
    const std::u16string& Hint() const { return hint; }
    void SetHint(const std::u16string& v) { hint = v; }
};

// A control: Caption, Hint, an 8-bit Short text, a read-only Info, a Font, a Number, and a
// Transient text that is not stored with the form.
class TTestLabel : public ui::TComponent {
    TOVRA_CLASS(TTestLabel)
public:
    using TComponent::TComponent;
    std::u16string caption, hint, shortText, info = u"read only", transient;
    int32_t number = 0;
    ui::TFont font;
    const std::u16string& Caption() const { return caption; }
    void SetCaption(const std::u16string& v) { caption = v; }
    const std::u16string& Hint() const { return hint; }
    void SetHint(const std::u16string& v) { hint = v; }
    const std::u16string& Short() const { return shortText; }
    void SetShort(const std::u16string& v) { shortText = v; }
    const std::u16string& Info() const { return info; }
    ui::TFont* Font() { return &font; }
    int32_t Number() const { return number; }
    void SetNumber(int64_t v) { number = int32_t(v); }
    const std::u16string& Transient() const { return transient; }
    void SetTransient(const std::u16string& v) { transient = v; }
};

class TTestColumn : public ui::TCollectionItem {
    TOVRA_CLASS(TTestColumn)
public:
    std::u16string caption;
    const std::u16string& Caption() const { return caption; }
    void SetCaption(const std::u16string& v) { caption = v; }
};

// A list view: Columns (a collection), Lines (a string list), a Buddy component reference.
class TTestGrid : public ui::TComponent {
    TOVRA_CLASS(TTestGrid)
public:
    using TComponent::TComponent;
    ui::TCollection columns{[] { return std::make_unique<TTestColumn>(); }};
    ui::TStringList lines;
    ui::TComponent* buddy = nullptr;
    ui::TCollection* Columns() { return &columns; }
    ui::TStrings* Lines() { return &lines; }
    ui::TComponent* Buddy() { return buddy; }
};

}  // namespace langtest
