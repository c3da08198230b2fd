#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "lang/DKLang.h"
#include "platform/fake/FakePlatform.h"
#include "resources/Embedded.h"
#include "ui/Text.h"

namespace {

std::vector<uint8_t> ReadSource(const std::string& name) {
    std::ifstream f(std::string(TOVRA_TRANSLATIONS_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::set<int> MappedIds() {
    const tovra::res::Blob* b = tovra::res::find("Form1.LangData");
    std::set<int> ids;
    if (!b) return ids;
    lang::TDKLang_CompEntry root(nullptr);
    lang::TBytesStream s(b->data, b->size);
    root.LoadFromDFMResource(s);
    auto collect = [&](const lang::TDKLang_CompEntry& e, auto& self) -> void {
        if (auto* p = e.PropEntries())
            for (int i = 0; i < p->Count(); ++i) ids.insert(p->Items(i).iID);
        if (auto* c = e.OwnedCompEntries())
            for (int i = 0; i < c->Count(); ++i) self(c->Items(i), self);
    };
    collect(root, collect);
    return ids;
}

TEST(ShippedTranslationsTest, EachFileTranslatesEveryMappedTextAndConstant) {
    platform::fake::FakePlatform fp;
    lang::TDKLang_Constants builtIn;
    ASSERT_TRUE(builtIn.LoadFromResource(0, u"DKLANG_CONSTS"));
    const std::set<int> ids = MappedIds();
    ASSERT_EQ(ids.size(), 34u);

    struct Case {
        const char* file;
        uint32_t id;
        const char16_t* language;
    };
    const Case cases[] = {{"Russian.lng", 1049, u"Russian"},
                          {"German.lng", 1031, u"German"},
                          {"French.lng", 1036, u"French"},
                          {"Spanish.lng", 3082, u"Spanish"},
                          {"Ukrainian.lng", 1058, u"Ukrainian"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file);
        std::vector<uint8_t> bytes = ReadSource(k.file);
        ASSERT_FALSE(bytes.empty());
        lang::TDKLang_CompTranslations t;
        lang::TBytesStream s(bytes);
        ASSERT_NO_THROW(t.Text_LoadFromStream(s));
        EXPECT_EQ(uint32_t(lang::StrToIntDef(lang::ParamValue(t.Params(), u"LANGID"), 0)), k.id);
        EXPECT_EQ(lang::GetLangName(k.id), k.language);
        ASSERT_EQ(t.Count(), 1);
        const auto& form = t.Items(0);
        EXPECT_EQ(form.ComponentName(), u"Form1");
        std::set<int> got;
        for (int i = 0; i < form.Count(); ++i) {
            got.insert(form.Items(i).iID);
            EXPECT_FALSE(form.Items(i).wsValue.empty()) << form.Items(i).iID;
        }
        EXPECT_EQ(got, ids);
        // The file picker's filter keeps its six parts and its patterns.
        std::u16string filter = form.FindPropByID(24)->wsValue;
        EXPECT_EQ(std::count(filter.begin(), filter.end(), u'|'), 5);
        EXPECT_NE(filter.find(u"|*.mp3; *.wav|"), std::u16string::npos);
        EXPECT_EQ(filter.substr(filter.size() - 4), u"|*.*");

        ASSERT_EQ(t.Constants().Count(), builtIn.Count());
        for (int i = 0; i < builtIn.Count(); ++i) {
            const auto* c = t.Constants().FindConstName(builtIn.Items(i).wsName);
            ASSERT_NE(c, nullptr) << ui::ToUtf8(builtIn.Items(i).wsName);
            EXPECT_FALSE(c->wsValue.empty());
            EXPECT_EQ(c->wsValue.find(u'%'), std::u16string::npos);
        }
        // Registration reads the header alone.
        lang::TDKLang_CompTranslations header;
        lang::TBytesStream h(bytes);
        header.Text_LoadFromStream(h, true);
        EXPECT_EQ(header.Count(), 0);
        EXPECT_EQ(lang::ParamValue(header.Params(), u"LANGID"), ui::IntToStr(k.id));
    }
}

}  // namespace
