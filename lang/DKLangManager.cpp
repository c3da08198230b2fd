#include "lang/DKLangManager.h"

#include <algorithm>
#include <mutex>

#include "lang/DKLangController.h"
#include "lang/DKL_LanguageCodes.h"
#include "platform/Platform.h"
#include "ui/Text.h"

namespace lang {

bool DKLang_IsDesignTime = false;

// ---- Sources ----

TDKLang_LangResource& TDKLang_LangResources::Reset(uint32_t wLangID, TDKLang_LangResourceKind Kind,
                                                   int& Index) {
    Index = IndexOfLangID(wLangID);
    if (Index < 0) {
        FItems.push_back(std::make_unique<TDKLang_LangResource>());
        Index = Count() - 1;
    }
    TDKLang_LangResource& r = *FItems[std::size_t(Index)];
    r.Kind = Kind;
    r.Instance = 0;
    r.Stream.reset();
    r.wsName.clear();
    r.iResID = 0;
    r.wLangID = wLangID;
    return r;
}

int TDKLang_LangResources::Add(TBytesStream& Stream, uint32_t wLangID) {
    int i;
    TDKLang_LangResource& r = Reset(wLangID, dklrkStream, i);
    try {
        r.Stream = std::make_unique<TBytesStream>(Stream.Bytes());
    } catch (const std::bad_alloc&) {
        r.Stream.reset();  // left without data; loading it reports that
    }
    Stream.SetPosition(Stream.Size());
    return i;
}

int TDKLang_LangResources::Add(const std::u16string& wsName, uint32_t wLangID) {
    int i;
    Reset(wLangID, dklrkFile, i).wsName = wsName;
    return i;
}

int TDKLang_LangResources::Add(uintptr_t Instance, const std::u16string& wsName, uint32_t wLangID) {
    int i;
    TDKLang_LangResource& r = Reset(wLangID, dklrkResName, i);
    r.Instance = Instance;
    r.wsName = wsName;
    return i;
}

int TDKLang_LangResources::Add(uintptr_t Instance, int32_t iResID, uint32_t wLangID) {
    int i;
    TDKLang_LangResource& r = Reset(wLangID, dklrkResID, i);
    r.Instance = Instance;
    r.iResID = iResID;
    return i;
}

int TDKLang_LangResources::IndexOfLangID(uint32_t wLangID) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->wLangID == wLangID) return int(i);
    return -1;
}

TDKLang_LangResource* TDKLang_LangResources::FindLangID(uint32_t wLangID) const {
    int i = IndexOfLangID(wLangID);
    return i < 0 ? nullptr : FItems[std::size_t(i)].get();
}

TDKLang_LangResource& TDKLang_LangResources::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw ui::EListError(u"List index out of bounds (%d)", {Index});
    return *FItems[std::size_t(Index)];
}

// ---- Manager ----

TDKLanguageManager::TDKLanguageManager() {
    if (DKLang_IsDesignTime)
        throw ui::EDKLangError(u"Call to LangManager() is allowed at runtime only");
    FLock = std::make_unique<TDKLang_MREWLock>();
    FConstants = std::make_unique<TDKLang_Constants>();
    FLangResources = std::make_unique<TDKLang_LangResources>();
    try {
        FConstants->LoadFromResource(0, u"DKLANG_CONSTS");
    } catch (const ui::Exception&) {
        // A damaged resource keeps the constants read before the damage; the program runs on.
    }
    ApplyTranslations(nullptr);
}

TDKLanguageManager::~TDKLanguageManager() {
    FConstants.reset();
    FControllers.clear();
    FLangResources.reset();
    FLock.reset();
}

int TDKLanguageManager::ScanLanguageFolder(const std::u16string& wsDir, const std::u16string& wsMask,
                                           bool bRecursive) {
    std::u16string path = wsDir;
    if (path.empty() || (path.back() != u'/' && path.back() != u'\\')) path += u'/';
    auto& fs = platform::thePlatform().fileSystem();
    int count = 0;
    for (const std::u16string& name : fs.FindFiles(path, wsMask))
        if (RegisterTranslationFile(path + name)) ++count;
    if (bRecursive)
        for (const std::u16string& name : fs.FindDirectories(path))
            if (!name.empty() && name[0] != u'.' && ui::MatchesMask(wsMask, name))
                count += ScanLanguageFolder(path + name, wsMask, true);
    return count;
}

bool TDKLanguageManager::RegisterTranslationFile(const std::u16string& wsFileName) {
    TWriteGuard g(*FLock);
    if (!platform::thePlatform().fileSystem().FileExists(wsFileName)) return false;
    uint32_t id;
    {
        TDKLang_CompTranslations tr;
        tr.Text_LoadFromFile(wsFileName, true);
        id = uint32_t(StrToIntDef(ParamValue(tr.Params(), u"LANGID"), 0));
    }
    if (id == 0) return false;
    if (id != FDefaultLanguageID) FLangResources->Add(wsFileName, id);
    return true;
}

int TDKLanguageManager::RegisterTranslationStream(TBytesStream& Stream, uint32_t wLangID) {
    TWriteGuard g(*FLock);
    return FLangResources->Add(Stream, wLangID);
}

int TDKLanguageManager::LanguageCount() {
    TReadGuard g(*FLock);
    return FLangResources->Count() + 1;
}

uint32_t TDKLanguageManager::LanguageIdAt(int Index) {
    TReadGuard g(*FLock);
    if (Index == 0) return FDefaultLanguageID;
    return FLangResources->Items(Index - 1).wLangID;
}

std::u16string TDKLanguageManager::LanguageNameAt(int Index) {
    return GetLangName(LanguageIdAt(Index));
}

uint32_t TDKLanguageManager::CurrentLanguageId() {
    TReadGuard g(*FLock);
    return FCurrentLanguageID;
}

uint32_t TDKLanguageManager::DefaultLanguageId() {
    TReadGuard g(*FLock);
    return FDefaultLanguageID;
}

void TDKLanguageManager::SetCurrentLanguageId(uint32_t wLangID) {
    std::unique_ptr<TDKLang_CompTranslations> tr;
    bool changed;
    {
        TWriteGuard g(*FLock);
        tr = LoadTranslationFor(wLangID);
        if (!tr) wLangID = DefaultLanguageId();
        changed = wLangID != FCurrentLanguageID;
        if (changed) FCurrentLanguageID = wLangID;
    }
    if (changed) ApplyTranslations(tr.get());
}

std::u16string TDKLanguageManager::ConstantText(std::u16string_view wsName) {
    TReadGuard g(*FLock);
    return FConstants->GetValues(wsName);
}

void TDKLanguageManager::AddController(TDKLanguageController* Controller) {
    TWriteGuard g(*FLock);
    FControllers.push_back({Controller, FNextSerial++});
}

void TDKLanguageManager::RemoveController(TDKLanguageController* Controller) {
    TWriteGuard g(*FLock);
    auto it = std::find_if(FControllers.begin(), FControllers.end(),
                           [&](const Registration& r) { return r.Controller == Controller; });
    if (it != FControllers.end()) FControllers.erase(it);
}

bool TDKLanguageManager::IsRegistered(const Registration& R) const {
    return std::any_of(FControllers.begin(), FControllers.end(), [&](const Registration& r) {
        return r.Controller == R.Controller && r.Serial == R.Serial;
    });
}

void TDKLanguageManager::ApplyCurrentLanguage(TDKLanguageController* Controller) {
    TReadGuard g(*FLock);
    if (FCurrentLanguageID == DefaultLanguageId()) return;
    if (auto tr = LoadTranslationFor(FCurrentLanguageID)) ApplyToController(tr.get(), Controller);
}

std::unique_ptr<TDKLang_CompTranslations> TDKLanguageManager::LoadTranslationFor(uint32_t wLangID) {
    if (wLangID == DefaultLanguageId()) return nullptr;
    TReadGuard g(*FLock);
    TDKLang_LangResource* r = FLangResources->FindLangID(wLangID);
    if (!r) return nullptr;
    auto tr = std::make_unique<TDKLang_CompTranslations>();
    switch (r->Kind) {
        case dklrkResName: tr->Text_LoadFromResource(r->Instance, r->wsName); break;
        case dklrkResID: tr->Text_LoadFromResource(r->Instance, r->iResID); break;
        case dklrkFile: tr->Text_LoadFromFile(r->wsName); break;
        case dklrkStream:
            if (!r->Stream)
                throw ui::EDKLangError(u"The translation of language %u has no data", {wLangID});
            tr->Text_LoadFromStream(*r->Stream);
            break;
    }
    return tr;
}

void TDKLanguageManager::ApplyTranslations(const TDKLang_CompTranslations* Translations) {
    TReadGuard g(*FLock);
    FConstants->TranslateFrom(Translations ? &Translations->Constants() : nullptr);
    // Event handlers may free or create controllers: walk the ones registered now, skipping
    // any freed meanwhile. One created meanwhile took the current language when it loaded.
    const std::vector<Registration> walk = FControllers;
    for (const Registration& r : walk) {
        if (!IsRegistered(r)) continue;
        ApplyToController(Translations, r.Controller);
    }
}

void TDKLanguageManager::ApplyToController(const TDKLang_CompTranslations* Translations,
                                           TDKLanguageController* Controller) {
    auto find = [&] {
        auto it = std::find_if(FControllers.begin(), FControllers.end(),
                               [&](const Registration& r) { return r.Controller == Controller; });
        return it == FControllers.end() ? Registration{Controller, 0} : *it;
    };
    const Registration reg = find();
    auto alive = [&] { return reg.Serial == 0 || IsRegistered(reg); };

    Controller->DoLanguageChanging();
    if (!alive()) return;  // its own handler freed it
    try {
        const TDKLang_CompTranslation* section = nullptr;
        if (Translations) {
            std::u16string name = Controller->ActualSectionName();
            section = Translations->FindComponentName(name);
            for (auto us = name.rfind(u'_'); !section && us != std::u16string::npos;
                 us = name.rfind(u'_')) {
                name.resize(us);
                section = Translations->FindComponentName(name);
            }
        }
        Controller->RootCompEntry().ApplyTranslation(section);
    } catch (...) {
        if (alive()) Controller->DoLanguageChanged();
        throw;
    }
    if (alive()) Controller->DoLanguageChanged();
}

// ---- The process-wide instance ----

namespace {
std::mutex& InstanceMutex() {
    static std::mutex m;
    return m;
}
std::unique_ptr<TDKLanguageManager>& Instance() {
    static std::unique_ptr<TDKLanguageManager> p;
    return p;
}
}  // namespace

TDKLanguageManager& LangManager() {
    std::lock_guard l(InstanceMutex());
    auto& p = Instance();
    if (!p) p = std::make_unique<TDKLanguageManager>();
    return *p;
}

TDKLanguageManager* LangManagerIfCreated() {
    std::lock_guard l(InstanceMutex());
    return Instance().get();
}

void ResetLangManager() {
    std::unique_ptr<TDKLanguageManager> old;
    {
        std::lock_guard l(InstanceMutex());
        old = std::move(Instance());
    }
}

int ScanLanguageFolder(const std::u16string& wsDir, const std::u16string& wsMask, bool bRecursive) {
    return LangManager().ScanLanguageFolder(wsDir, wsMask, bRecursive);
}
int LanguageCount() { return LangManager().LanguageCount(); }
uint32_t LanguageIdAt(int Index) { return LangManager().LanguageIdAt(Index); }
std::u16string LanguageNameAt(int Index) { return LangManager().LanguageNameAt(Index); }
uint32_t CurrentLanguageId() { return LangManager().CurrentLanguageId(); }
uint32_t DefaultLanguageId() { return LangManager().DefaultLanguageId(); }
void SetCurrentLanguageId(uint32_t wLangID) { LangManager().SetCurrentLanguageId(wLangID); }
std::u16string ConstantText(std::u16string_view wsName) { return LangManager().ConstantText(wsName); }

}  // namespace lang
