#pragma once
// The process-wide language manager: registered translation sources, the current language,
// the live language controllers and the constants table.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lang/DKLangConstants.h"
#include "lang/DKLangLock.h"
#include "lang/DKLangStream.h"
#include "lang/DKLangTranslations.h"

namespace lang {

class TDKLanguageController;

enum TDKLang_LangResourceKind { dklrkResName = 0, dklrkResID = 1, dklrkFile = 2, dklrkStream = 3 };

struct TDKLang_LangResource {
    TDKLang_LangResourceKind Kind = dklrkResName;
    uintptr_t Instance = 0;
    std::unique_ptr<TBytesStream> Stream;
    std::u16string wsName;
    int32_t iResID = 0;
    uint32_t wLangID = 0;
};

// At most one record per language; a later source of a language replaces it in place.
class TDKLang_LangResources {
public:
    int Add(TBytesStream& Stream, uint32_t wLangID);
    int Add(const std::u16string& wsName, uint32_t wLangID);
    int Add(uintptr_t Instance, const std::u16string& wsName, uint32_t wLangID);
    int Add(uintptr_t Instance, int32_t iResID, uint32_t wLangID);
    int IndexOfLangID(uint32_t wLangID) const;
    TDKLang_LangResource* FindLangID(uint32_t wLangID) const;
    int Count() const { return int(FItems.size()); }
    TDKLang_LangResource& Items(int Index) const;

private:
    TDKLang_LangResource& Reset(uint32_t wLangID, TDKLang_LangResourceKind Kind, int& Index);
    std::vector<std::unique_ptr<TDKLang_LangResource>> FItems;
};

class TDKLanguageManager {
public:
    TDKLanguageManager();
    ~TDKLanguageManager();
    TDKLanguageManager(const TDKLanguageManager&) = delete;
    TDKLanguageManager& operator=(const TDKLanguageManager&) = delete;

    int ScanLanguageFolder(const std::u16string& wsDir, const std::u16string& wsMask,
                           bool bRecursive);
    bool RegisterTranslationFile(const std::u16string& wsFileName);
    // Sources added in code (design tools, tests); the application registers files.
    int RegisterTranslationStream(TBytesStream& Stream, uint32_t wLangID);
    int LanguageCount();
    uint32_t LanguageIdAt(int Index);
    std::u16string LanguageNameAt(int Index);
    uint32_t CurrentLanguageId();
    uint32_t DefaultLanguageId();
    void SetCurrentLanguageId(uint32_t wLangID);
    std::u16string ConstantText(std::u16string_view wsName);
    TDKLang_Constants& Constants() { return *FConstants; }

    void AddController(TDKLanguageController* Controller);
    void RemoveController(TDKLanguageController* Controller);
    void ApplyCurrentLanguage(TDKLanguageController* Controller);

private:
    std::unique_ptr<TDKLang_CompTranslations> LoadTranslationFor(uint32_t wLangID);
    void ApplyTranslations(const TDKLang_CompTranslations* Translations);
    void ApplyToController(const TDKLang_CompTranslations* Translations,
                           TDKLanguageController* Controller);
    // A controller is known by its registration serial too, so that one freed during a walk
    // is never mistaken for a new one at the same address.
    struct Registration {
        TDKLanguageController* Controller;
        uint64_t Serial;
    };
    bool IsRegistered(const Registration& R) const;

    std::unique_ptr<TDKLang_MREWLock> FLock;
    std::unique_ptr<TDKLang_Constants> FConstants;
    std::vector<Registration> FControllers;
    std::unique_ptr<TDKLang_LangResources> FLangResources;
    uint32_t FDefaultLanguageID = 1033;
    uint32_t FCurrentLanguageID = 1033;
    uint64_t FNextSerial = 1;
};

// Set only by a form designer; the manager refuses to start while it is set.
extern bool DKLang_IsDesignTime;

// The manager, created on first use. Raises ui::EDKLangError in a design environment.
TDKLanguageManager& LangManager();
// The manager if it exists, without creating it.
TDKLanguageManager* LangManagerIfCreated();
// Frees the manager; the next use starts a fresh one. For tests.
void ResetLangManager();

// Shorthands for the application.
int ScanLanguageFolder(const std::u16string& wsDir, const std::u16string& wsMask, bool bRecursive);
int LanguageCount();
uint32_t LanguageIdAt(int Index);
std::u16string LanguageNameAt(int Index);
uint32_t CurrentLanguageId();
uint32_t DefaultLanguageId();
void SetCurrentLanguageId(uint32_t wLangID);
std::u16string ConstantText(std::u16string_view wsName);

}  // namespace lang
