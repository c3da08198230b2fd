#include "LangTestClasses.h"

namespace langtest {

const ui::TClassInfo& TTestForm::StaticClassInfo() {
    static const ui::TClassInfo ci =
        ui::TClassBuilder<TTestForm>(u"TTestForm", &ui::TComponent::StaticClassInfo())
            .Str(u"Caption", &TTestForm::Caption, &TTestForm::SetCaption)
            .Str(u"Hint", &TTestForm::Hint, &TTestForm::SetHint)
            .Build();
    return ci;
}

const ui::TClassInfo& TTestLabel::StaticClassInfo() {
    static const ui::TClassInfo ci =
        ui::TClassBuilder<TTestLabel>(u"TTestLabel", &ui::TComponent::StaticClassInfo())
            .Str(u"Caption", &TTestLabel::Caption, &TTestLabel::SetCaption)
            .Str(u"Hint", &TTestLabel::Hint, &TTestLabel::SetHint, ui::TTypeKind::tkWString)
            .Str(u"Short", &TTestLabel::Short, &TTestLabel::SetShort, ui::TTypeKind::tkLString)
            .Str(u"Info", &TTestLabel::Info, nullptr)
            .Obj(u"Font", &TTestLabel::Font,
                 [](TTestLabel& l, ui::TObject* f) { l.font.Assign(*static_cast<ui::TFont*>(f)); })
            .Int(u"Number", &TTestLabel::Number, &TTestLabel::SetNumber)
            .Str(u"Transient", &TTestLabel::Transient, &TTestLabel::SetTransient)
            .Stored([](const TTestLabel&) { return false; })
            .Build();
    return ci;
}

const ui::TClassInfo& TTestColumn::StaticClassInfo() {
    static const ui::TClassInfo ci =
        ui::TClassBuilder<TTestColumn>(u"TTestColumn", &ui::TCollectionItem::StaticClassInfo())
            .Str(u"Caption", &TTestColumn::Caption, &TTestColumn::SetCaption)
            .Build();
    return ci;
}

const ui::TClassInfo& TTestGrid::StaticClassInfo() {
    static const ui::TClassInfo ci =
        ui::TClassBuilder<TTestGrid>(u"TTestGrid", &ui::TComponent::StaticClassInfo())
            .Obj(u"Columns", &TTestGrid::Columns, [](TTestGrid&, ui::TObject*) {})
            .Obj(u"Lines", &TTestGrid::Lines,
                 [](TTestGrid& g, ui::TObject* s) { g.lines.Assign(*static_cast<ui::TStrings*>(s)); })
            .Obj(u"Buddy", &TTestGrid::Buddy,
                 [](TTestGrid& g, ui::TObject* c) { g.buddy = static_cast<ui::TComponent*>(c); })
            .Build();
    return ci;
}

}  // namespace langtest
