// The Utility page without windows: the "Custom Paper-" form list over a form store, its
// Save and Delete rules, and the self-test job.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/memory_form_store.h"
#include "core/forms/paper_forms.h"
#include "core/printer/self_test.h"

namespace zr640 {
namespace {

using Calls = std::vector<std::string>;

PaperForm Form(std::u16string name, int32_t cx, int32_t cy) { return {std::move(name), cx, cy}; }

class PaperForms : public ::testing::Test {
protected:
    // System forms, a managed form, an unrelated one and one whose name holds the prefix
    // after a leading word.
    MemoryFormStore store{
        {Form(u"Letter", 215900, 279400), Form(u"Custom Paper-Long", 48000, 1000000),
         Form(u"Roll 80", 80000, 3276000), Form(u"Old Custom Paper-X", 50000, 80000)}};
    PaperFormList list{store};

    void OpenWith(std::vector<std::u16string> shortNames) {
        for (const auto& name : shortNames) store.Add(Form(ManagedFormName(name), 41000, 25400));
        ASSERT_TRUE(list.Open());
        store.ClearCalls();
    }
    std::u16string Selected() const { return list.entries()[*list.selection()]; }
    std::vector<std::u16string> Entries(std::initializer_list<std::u16string_view> names) const {
        return {names.begin(), names.end()};
    }
};

TEST_F(PaperForms, OpeningAddsTheBuiltInFormAndListsItFirst) {
    ASSERT_TRUE(list.Open());
    EXPECT_EQ(store.calls(), (Calls{"enumerate", "add Custom Paper-ZR640", "enumerate"}));
    ASSERT_NE(store.Find(kBuiltInFormName), nullptr);
    EXPECT_EQ(*store.Find(kBuiltInFormName), Form(u"Custom Paper-ZR640", 58000, 297000));

    EXPECT_EQ(list.entries(),
              Entries({u"Custom Paper-ZR640", u"Custom Paper-Long", u"Old Custom Paper-X"}));
    EXPECT_EQ(list.selection(), 0u);
    EXPECT_EQ(list.boxes(), (FormBoxes{u"ZR640", u"580", u"2970"}));
    EXPECT_FALSE(list.deleteEnabled());
}

TEST_F(PaperForms, AnExistingBuiltInFormIsKeptWithItsSize) {
    store.Add(Form(u"Custom Paper-ZR640", 50050, 100099));
    store.ClearCalls();
    ASSERT_TRUE(list.Open());
    EXPECT_EQ(store.calls(), (Calls{"enumerate", "enumerate"}));
    EXPECT_EQ(list.entries().front(), kBuiltInFormName)
        << "first, although the store lists it last";
    EXPECT_EQ(list.boxes(), (FormBoxes{u"ZR640", u"500", u"1000"})) << "divided by 100, truncated";
}

TEST_F(PaperForms, AStoreThatDoesNotKeepTheAddedFormStillShowsTheBuiltInForm) {
    // As a spooler whose AddFormW succeeds and keeps nothing.
    struct Forgetting : MemoryFormStore {
        bool Add(const PaperForm&) override { return true; }
    } spooler;
    PaperFormList page(spooler);
    ASSERT_TRUE(page.Open());
    EXPECT_EQ(page.entries(), Entries({u"Custom Paper-ZR640"}));
    EXPECT_EQ(page.boxes(), (FormBoxes{u"ZR640", u"580", u"2970"}));
}

TEST_F(PaperForms, OpeningStopsWithAnEmptyListWhenTheStoreFails) {
    store.failEnumerate = true;
    EXPECT_FALSE(list.Open());
    EXPECT_TRUE(list.entries().empty());
    EXPECT_FALSE(list.selection());
    EXPECT_FALSE(list.deleteEnabled());

    MemoryFormStore refusing;
    refusing.failAdd = true;
    PaperFormList page(refusing);
    EXPECT_FALSE(page.Open());
    EXPECT_EQ(refusing.calls(), (Calls{"enumerate", "add Custom Paper-ZR640"}));
    EXPECT_TRUE(page.entries().empty());
    page.DeleteSelected();
    page.Select(0);
    EXPECT_FALSE(page.selection());
}

// A list that never learnt which forms exist cannot tell a rewrite from an add: Save and
// Delete say so and leave the store alone, even when it has since become readable.
TEST_F(PaperForms, SaveAndDeleteOfAListThatDidNotOpenAreRefused) {
    store.failEnumerate = true;
    ASSERT_FALSE(list.Open());
    store.failEnumerate = false;
    store.ClearCalls();
    list.SetName(u"New");
    list.SetWidth(u"300");
    EXPECT_EQ(list.Save(), kUtilityError1);
    EXPECT_EQ(list.DeleteSelected(), kUtilityError1);
    EXPECT_TRUE(store.calls().empty());
    EXPECT_TRUE(list.entries().empty());
    EXPECT_EQ(list.boxes().width, u"300") << "nothing is clamped for a save that does not happen";

    MemoryFormStore refusing;
    refusing.failAdd = true;
    PaperFormList page(refusing);
    ASSERT_FALSE(page.Open());
    EXPECT_EQ(page.Save(), kUtilityError1);
    EXPECT_EQ(page.DeleteSelected(), kUtilityError1);
    EXPECT_FALSE(page.opened());

    OpenWith({});
    EXPECT_TRUE(list.opened());
    EXPECT_EQ(list.DeleteSelected(), std::nullopt) << "the built-in form: nothing to say";
}

TEST_F(PaperForms, ShortNamesAreTheTextAfterTheFirst13Characters) {
    EXPECT_EQ(ShortFormName(u"Custom Paper-Long"), u"Long");
    EXPECT_EQ(ShortFormName(u"Old Custom Paper-X"), u"per-X");
    EXPECT_EQ(ShortFormName(u"Custom Paper-"), u"");
    EXPECT_EQ(ShortFormName(u"Short"), u"");
    EXPECT_TRUE(IsManagedFormName(u"Old Custom Paper-X"));
    EXPECT_FALSE(IsManagedFormName(u"custom paper-x")) << "case counts";

    OpenWith({});
    list.Select(2);
    EXPECT_EQ(list.boxes(), (FormBoxes{u"per-X", u"500", u"800"}));
    EXPECT_TRUE(list.deleteEnabled());
    EXPECT_EQ(store.calls(), (Calls{"enumerate"})) << "a selection change reads the store again";

    // Saving that short name rewrites the listed form rather than adding another.
    list.SetHeight(u"1000");
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(store.Find(u"Old Custom Paper-X")->cy, 100000);
    EXPECT_EQ(list.entries().size(), 3u);
}

TEST_F(PaperForms, AnEmptyShortNameSavesCustomPaperDash) {
    OpenWith({});
    list.SetName(u"");
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(store.calls(), (Calls{"enumerate", "add Custom Paper-"}));
    EXPECT_EQ(*store.Find(u"Custom Paper-"), Form(u"Custom Paper-", 58000, 297000));
    EXPECT_EQ(Selected(), u"Custom Paper-") << "the new form is appended and selected";
    EXPECT_EQ(list.selection(), list.entries().size() - 1);
    EXPECT_TRUE(list.deleteEnabled());
    EXPECT_EQ(list.boxes().name, u"") << "the boxes keep what they show";

    store.ClearCalls();
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(store.calls(), (Calls{"enumerate", "set Custom Paper-"})) << "saved again: rewritten";
}

TEST_F(PaperForms, ZR640RewritesTheBuiltInForm) {
    OpenWith({});
    list.SetWidth(u"500");
    list.SetHeight(u"1234");
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(store.calls(), (Calls{"enumerate", "set Custom Paper-ZR640"}));
    EXPECT_EQ(*store.Find(kBuiltInFormName), Form(u"Custom Paper-ZR640", 50000, 123400));
    EXPECT_EQ(list.entries(),
              Entries({u"Custom Paper-ZR640", u"Custom Paper-Long", u"Old Custom Paper-X"}));
    EXPECT_EQ(list.boxes(), (FormBoxes{u"ZR640", u"500", u"1234"}));
}

TEST_F(PaperForms, SizesAreClampedAndTheClampedTextShown) {
    OpenWith({});
    list.SetName(u"Clamp");
    list.SetWidth(u"300");
    list.SetHeight(u"40000");
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(*store.Find(u"Custom Paper-Clamp"), Form(u"Custom Paper-Clamp", 41000, 3276000));
    EXPECT_EQ(list.boxes(), (FormBoxes{u"Clamp", u"410", u"32760"}));

    list.SetWidth(u"9999");
    EXPECT_EQ(list.boxes().width, u"999") << "cut by the edit's limit of three characters";
    list.SetHeight(u"100");
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(*store.Find(u"Custom Paper-Clamp"), Form(u"Custom Paper-Clamp", 58000, 25400));
    EXPECT_EQ(list.boxes(), (FormBoxes{u"Clamp", u"580", u"254"}));

    // Text that is not a number reads as 0; in-range text is left as typed.
    list.SetWidth(u"4x");
    list.SetHeight(u" 0254");
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(list.boxes(), (FormBoxes{u"Clamp", u"410", u" 0254"}));
    list.SetWidth(u"");
    list.SetHeight(u"32761");
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(list.boxes(), (FormBoxes{u"Clamp", u"410", u"32760"}));
    EXPECT_EQ(ReadFormNumber(u"99999999999999999999"), 4294967295u);

    list.SetName(u"ABCDEFGHIJKLMNOPQRSTUV");
    EXPECT_EQ(list.boxes().name, u"ABCDEFGHIJKLMNOPQR") << "18 characters";
}

TEST_F(PaperForms, SavingAnExistingNameNeverMakesASecondForm) {
    OpenWith({u"Long2"});
    for (const char16_t* height : {u"300", u"400"}) {
        list.SetName(u"Long");
        list.SetHeight(height);
        EXPECT_FALSE(list.Save());
    }
    int count = 0;
    for (const PaperForm& form : store.forms()) count += form.name == u"Custom Paper-Long";
    EXPECT_EQ(count, 1);
    EXPECT_EQ(store.Find(u"Custom Paper-Long")->cy, 40000);
    EXPECT_EQ(list.entries().size(), 4u);

    // The short name compares exactly; the store, like the spooler, takes a name once in
    // any case, so the add is refused and reported, and the list stays.
    list.SetName(u"LONG");
    EXPECT_EQ(list.Save(), kUtilityError1);
    EXPECT_EQ(list.entries().size(), 4u);
}

TEST_F(PaperForms, FailedSavesAreReportedAndChangeNothing) {
    OpenWith({});
    store.failSet = true;
    EXPECT_EQ(list.Save(), kUtilityError1);

    store.failAdd = true;
    list.SetName(u"New");
    EXPECT_EQ(list.Save(), kUtilityError1);
    EXPECT_EQ(list.entries().size(), 3u);
    EXPECT_EQ(list.selection(), 0u);

    // A store that cannot be read is not added to blindly.
    store.failAdd = false;
    store.failEnumerate = true;
    store.ClearCalls();
    EXPECT_EQ(list.Save(), kUtilityError1);
    EXPECT_EQ(store.calls(), (Calls{"enumerate"}));
}

TEST_F(PaperForms, DeleteSelectsTheEntryThatMovedUpOrTheOneBeforeTheLast) {
    OpenWith({u"A", u"B", u"C"});
    store.Set(Form(u"Custom Paper-B", 45000, 60000));
    const auto entries =
        Entries({u"Custom Paper-ZR640", u"Custom Paper-Long", u"Old Custom Paper-X",
                 u"Custom Paper-A", u"Custom Paper-B", u"Custom Paper-C"});
    ASSERT_EQ(list.entries(), entries);

    list.Select(5);
    store.ClearCalls();
    list.DeleteSelected();
    EXPECT_EQ(store.calls(), (Calls{"delete Custom Paper-C", "enumerate"}));
    EXPECT_EQ(list.selection(), 4u) << "the last entry went: the one before it";
    EXPECT_EQ(list.boxes(), (FormBoxes{u"B", u"450", u"600"}));
    EXPECT_TRUE(list.deleteEnabled());

    list.Select(3);
    list.DeleteSelected();
    EXPECT_EQ(list.selection(), 3u) << "the entry that moved into its place";
    EXPECT_EQ(Selected(), u"Custom Paper-B");
    EXPECT_EQ(store.Find(u"Custom Paper-A"), nullptr);

    // The store's refusal is not noticed: the entry leaves the list anyway.
    store.failDelete = true;
    list.DeleteSelected();
    EXPECT_EQ(list.entries().size(), 3u);
    EXPECT_EQ(Selected(), u"Old Custom Paper-X");
}

TEST_F(PaperForms, TheBuiltInFormIsNeverDeleted) {
    OpenWith({});
    list.DeleteSelected();
    EXPECT_TRUE(store.calls().empty());
    EXPECT_EQ(list.entries().size(), 3u);

    // Delete follows the selection, not the typed name.
    list.Select(1);
    list.SetName(u"ZR640");
    EXPECT_TRUE(list.deleteEnabled());
    list.Select(0);
    list.SetName(u"Long");
    EXPECT_FALSE(list.deleteEnabled());
}

TEST_F(PaperForms, ASelectionShowsTheSizeTheStoreHoldsNow) {
    OpenWith({});
    store.Set(Form(u"Custom Paper-Long", 55500, 2000000));
    list.Select(1);
    EXPECT_EQ(list.boxes(), (FormBoxes{u"Long", u"555", u"20000"}));

    // Removed by another program: the boxes keep the last size shown.
    store.Delete(u"Old Custom Paper-X");
    list.Select(2);
    EXPECT_EQ(list.boxes(), (FormBoxes{u"per-X", u"555", u"20000"}));
    list.Select(7);
    EXPECT_EQ(list.selection(), 2u) << "an index past the list is ignored";
}

TEST(SelfTestJob, IsTheCommandBetweenTheBrackets) {
    const RawJob job = SelfTestJob();
    EXPECT_EQ(job.documentName, u"SELFTEST");
    ASSERT_EQ(job.blocks.size(), 3u);
    EXPECT_EQ(job.blocks[0], (ByteBlock{0x1B, 0x63, 0x3B, 0x01}));
    EXPECT_EQ(job.blocks[1], (ByteBlock{0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x02}));
    EXPECT_EQ(job.blocks[2], (ByteBlock{0x1B, 0x63, 0x3B, 0x00}));
}

}  // namespace
}  // namespace zr640
