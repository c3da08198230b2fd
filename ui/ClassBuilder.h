#pragma once
// Declaring a class's published properties:
//   const TClassInfo& TLabel::StaticClassInfo() {
//       static const TClassInfo ci = TClassBuilder<TLabel>(u"TLabel", &TControl::StaticClassInfo())
//           .Str(u"Caption", &TLabel::Caption, &TLabel::SetCaption)
//           .Creatable()
//           .Build();
//       return ci;
//   }
#include <functional>
#include <type_traits>
#include <string>
#include <utility>
#include <vector>

#include "ui/Classes.h"
#include "ui/Color.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace ui {

// Text forms used by the form reader for non-string properties.
int64_t ParseIntText(const std::u16string& s);     // raises EConvertError
bool ParseBoolText(const std::u16string& s);       // "True"/"False"/number
TColor ParseColorText(const std::u16string& s);    // colour name or number
std::u16string ColorText(TColor c);
// Enumeration name to index; EConvertError when unknown.
int ParseEnumText(const std::u16string& s, const std::vector<std::u16string>& names);
// "[a,b]" to bits by name index.
uint32_t ParseSetText(const std::u16string& s, const std::vector<std::u16string>& names);
std::u16string SetText(uint32_t bits, const std::vector<std::u16string>& names);

template <class T>
class TClassBuilder {
public:
    TClassBuilder(std::u16string name, const TClassInfo* parent) {
        FInfo.ClassName = std::move(name);
        FInfo.Parent = parent;
    }

    // A string property; `kind` tells 8-bit kinds from UTF-16 ones.
    template <class G, class S>
    TClassBuilder& Str(std::u16string name, G get, S set, TTypeKind kind = TTypeKind::tkUString) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = kind;
        p.GetText = [get](TObject& o) { return std::u16string(std::invoke(get, static_cast<T&>(o))); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetText = [set](TObject& o, const std::u16string& v) { std::invoke(set, static_cast<T&>(o), v); };
        FInfo.OwnProps.push_back(std::move(p));
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Int(std::u16string name, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TTypeKind::tkInteger;
        p.GetText = [get](TObject& o) { return IntToStr(std::invoke(get, static_cast<T&>(o))); };
        p.SetText = [set](TObject& o, const std::u16string& v) {
            std::invoke(set, static_cast<T&>(o), ParseIntText(v));
        };
        FInfo.OwnProps.push_back(std::move(p));
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Bool(std::u16string name, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TTypeKind::tkEnumeration;
        p.GetText = [get](TObject& o) {
            return std::u16string(std::invoke(get, static_cast<T&>(o)) ? u"True" : u"False");
        };
        p.SetText = [set](TObject& o, const std::u16string& v) {
            std::invoke(set, static_cast<T&>(o), ParseBoolText(v));
        };
        FInfo.OwnProps.push_back(std::move(p));
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Color(std::u16string name, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TTypeKind::tkInteger;
        p.GetText = [get](TObject& o) { return ColorText(std::invoke(get, static_cast<T&>(o))); };
        p.SetText = [set](TObject& o, const std::u16string& v) {
            std::invoke(set, static_cast<T&>(o), ParseColorText(v));
        };
        FInfo.OwnProps.push_back(std::move(p));
        return *this;
    }

    // An enumeration stored as its index into `names`.
    template <class G, class S>
    TClassBuilder& Enum(std::u16string name, std::vector<std::u16string> names, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TTypeKind::tkEnumeration;
        p.GetText = [get, names](TObject& o) {
            auto i = static_cast<std::size_t>(std::invoke(get, static_cast<T&>(o)));
            return i < names.size() ? names[i] : IntToStr(int64_t(i));
        };
        p.SetText = [set, names](TObject& o, const std::u16string& v) {
            using E = std::decay_t<decltype(std::invoke(get, std::declval<T&>()))>;
            std::invoke(set, static_cast<T&>(o), static_cast<E>(ParseEnumText(v, names)));
        };
        FInfo.OwnProps.push_back(std::move(p));
        return *this;
    }

    // A set stored as bits (bit i = names[i]).
    template <class G, class S>
    TClassBuilder& Set(std::u16string name, std::vector<std::u16string> names, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TTypeKind::tkSet;
        p.GetText = [get, names](TObject& o) {
            return SetText(uint32_t(std::invoke(get, static_cast<T&>(o))), names);
        };
        p.SetText = [set, names](TObject& o, const std::u16string& v) {
            using E = std::decay_t<decltype(std::invoke(get, std::declval<T&>()))>;
            std::invoke(set, static_cast<T&>(o), static_cast<E>(ParseSetText(v, names)));
        };
        FInfo.OwnProps.push_back(std::move(p));
        return *this;
    }

    // An object-valued property. `get` returns a pointer to the object (owned by T, or a
    // reference); `set` receives the object to assign or point to (nullptr for read-only).
    template <class G, class S>
    TClassBuilder& Obj(std::u16string name, G get, S set) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = TTypeKind::tkClass;
        p.GetObject = [get](TObject& o) -> TObject* { return std::invoke(get, static_cast<T&>(o)); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetObject = [set](TObject& o, TObject* v) { std::invoke(set, static_cast<T&>(o), v); };
        FInfo.OwnProps.push_back(std::move(p));
        return *this;
    }

    // A property of another kind (method, float...) the walks skip; `kind` says which.
    TClassBuilder& Other(std::u16string name, TTypeKind kind) {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = kind;
        FInfo.OwnProps.push_back(std::move(p));
        return *this;
    }

    // An event property (`OnClick`); the form reader binds it through the root's BindEvent.
    TClassBuilder& Event(std::u16string name) { return Other(std::move(name), TTypeKind::tkMethod); }

    // A property whose accessors the caller wrote by hand.
    TClassBuilder& Custom(TPropInfo p) {
        FInfo.OwnProps.push_back(std::move(p));
        return *this;
    }

    // The "stored" test of the property declared last.
    template <class F>
    TClassBuilder& Stored(F f) {
        FInfo.OwnProps.back().Stored = [f](TObject& o) { return bool(std::invoke(f, static_cast<T&>(o))); };
        return *this;
    }

    TClassBuilder& Creatable() {
        FInfo.Factory = [](TComponent* owner) -> TComponent* { return new T(owner); };
        return *this;
    }

    TClassInfo Build() { return std::move(FInfo); }

private:
    TClassInfo FInfo;
};

}  // namespace ui
