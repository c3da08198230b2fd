#pragma once
// The component model: objects with published-property reflection, persistent objects,
// components with owners, names, load completion and removal notices, and collections.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class TObject;
class TComponent;
struct TClassInfo;

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum class TTypeKind {
    tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
    tkWChar, tkLString, tkWString, tkVariant, tkInt64, tkUString
};
// Short 8-bit, long 8-bit, wide and UTF-16 strings.
bool IsStringKind(TTypeKind k);

struct TPropInfo {
    std::u16string Name;
    TTypeKind Kind = TTypeKind::tkUnknown;
    // String kinds: the value. Other non-class kinds: a text form the form reader understands
    // (numbers, enumeration names, [set,items], colour names).
    std::function<std::u16string(TObject&)> GetText;
    std::function<void(TObject&, const std::u16string&)> SetText;
    // Class kind: the referenced object; SetObject assigns (owned values) or points (references).
    std::function<TObject*(TObject&)> GetObject;
    std::function<void(TObject&, TObject*)> SetObject;
    // Empty means always stored.
    std::function<bool(TObject&)> Stored;

    bool HasGetter() const { return Kind == TTypeKind::tkClass ? bool(GetObject) : bool(GetText); }
    bool HasSetter() const { return Kind == TTypeKind::tkClass ? bool(SetObject) : bool(SetText); }
    bool IsStored(TObject& o) const { return !Stored || Stored(o); }
};

struct TClassInfo {
    std::u16string ClassName;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> OwnProps;
    // Creates an instance owned by `owner` (components only); empty for abstract classes.
    std::function<TComponent*(TComponent* owner)> Factory;

    bool InheritsFrom(const TClassInfo& other) const;
    // Published properties, inherited ones first, each class's in declaration order.
    const std::vector<const TPropInfo*>& Properties() const;
    const TPropInfo* FindProperty(std::u16string_view name) const;  // ignores ASCII case

private:
    mutable std::vector<const TPropInfo*> FAll;
    mutable bool FAllBuilt = false;
};

// Adds a class to the registry that the form reader creates components from.
void RegisterClass(const TClassInfo& ci);
const TClassInfo* FindClass(std::u16string_view name);  // ignores ASCII case

#define TOVRA_CLASS(Self)                                                \
public:                                                                  \
    static const ::ui::TClassInfo& StaticClassInfo();                    \
    const ::ui::TClassInfo& ClassType() const override { return StaticClassInfo(); }

class TObject {
public:
    virtual ~TObject() = default;
    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassType() const { return StaticClassInfo(); }
    const std::u16string& ClassName() const { return ClassType().ClassName; }
    bool InheritsFrom(const TClassInfo& c) const { return ClassType().InheritsFrom(c); }
};

class TPersistent : public TObject {
    TOVRA_CLASS(TPersistent)
public:
    // Copies the state of `Source`; raises EConvertError when the classes do not match.
    virtual void Assign(const TPersistent& Source);
};

enum TComponentStateFlag : uint32_t {
    csLoading = 1, csReading = 2, csWriting = 4, csDestroying = 8, csDesigning = 16
};
enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    TOVRA_CLASS(TComponent)
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::u16string& Name() const { return FName; }
    virtual void SetName(const std::u16string& NewName);
    int32_t Tag() const { return FTag; }
    void SetTag(int32_t v) { FTag = v; }

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(std::u16string_view AName) const;  // ignores ASCII case

    uint32_t ComponentState() const { return FComponentState; }
    void SetComponentStateFlag(uint32_t flag, bool on);

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, last first; derived destructors call it while they are
    // still whole, so the components can still reach their owner.
    void DestroyComponents();
    // Marks the component as going and sends its opRemove notices. ~TComponent does it last;
    // a derived destructor whose listeners reach back into it (to unsubscribe, say) calls it
    // first, while it is still whole.
    void Destroying();

    // Asks for an opRemove notice when AComponent is destroyed (and tells it about us).
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Called on the owner (which passes it to all it owns) when a component is inserted or
    // removed, and on every component that asked through FreeNotification.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Called once after the whole form description was read.
    virtual void Loaded();
    // A custom binary property met by the form reader (before Loaded). False: not known.
    virtual bool ReadBinaryProperty(const std::u16string& Name, const std::vector<uint8_t>& Data);
    // The form reader nests a component inside another: a control gets its parent control,
    // a menu item its menu. The default ignores the nesting.
    virtual void SetParentComponent(TComponent* AParent);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // Called on the root of a form description for every event property it carries
    // (`OnTimer = Timer1Timer`). True when the root bound the handler; false: unknown handler.
    virtual bool BindEvent(TComponent* AComponent, const std::u16string& EventName,
                           const std::u16string& HandlerName);

private:
    TComponent* FOwner = nullptr;
    std::u16string FName;
    int32_t FTag = 0;
    uint32_t FComponentState = 0;
    std::vector<TComponent*> FComponents;      // owned, in creation order
    std::vector<TComponent*> FFreeNotifies;    // not owned
};

class TCollectionItem : public TPersistent {
    TOVRA_CLASS(TCollectionItem)
};

// A list of owned items of one class.
class TCollection : public TPersistent {
    TOVRA_CLASS(TCollection)
public:
    explicit TCollection(std::function<std::unique_ptr<TCollectionItem>()> ItemFactory);
    int Count() const { return int(FItems.size()); }
    TCollectionItem* Items(int Index) const;
    TCollectionItem* Add();
    void Clear() { FItems.clear(); }

private:
    std::function<std::unique_ptr<TCollectionItem>()> FFactory;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
};

}  // namespace ui
