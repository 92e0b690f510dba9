// More of the wrapper's behaviour on every backend: pasting, merging, borders and fill, and an
// instance that was shown and then quit.
#include "behaviour/WrapperBehaviour.h"

namespace tabora::test {

TEST_P(WrapperBehaviour, PastesCopiedCellsWithOptionsAndMerges) {
    auto wrapper = Opened({u"A"});
    wrapper->SetValue(1, 1, u"5");
    wrapper->SetValue(1, 2, u"7");
    wrapper->CellCopy(1, 1, 1, 2);
    wrapper->CellPaste(4, 1);
    EXPECT_EQ(wrapper->GetValue(4, 1), u"5");
    EXPECT_EQ(wrapper->GetValue(4, 2), u"7");
    wrapper->CellPaste(6, 1, -4163, -4142, false, true);  // values, transposed
    EXPECT_EQ(wrapper->GetValue(6, 1), u"5");
    EXPECT_EQ(wrapper->GetValue(7, 1), u"7");
    EXPECT_EQ(wrapper->GetValue(6, 2), u"");
    wrapper->CellMerge(4, 1, 4, 2);
    EXPECT_EQ(wrapper->GetValue(4, 1), u"5");
    EXPECT_EQ(wrapper->GetValue(4, 2), u"") << "a merge keeps the upper-left value only";
    EXPECT_TRUE(runtime.boxes.Shown().empty());
}

TEST_P(WrapperBehaviour, DrawsABorderAndFillsTheRange) {
    auto wrapper = Opened({u"A"});
    wrapper->DrowCellsLine(2, 3, 1, 2, 1, 2, 9);  // continuous, thin, bottom edge
    wrapper->PaintCellColor(2, 3, 1, 2, 6, 1);    // yellow, solid
    ObjectRef sheet = wrapper->GetActiveSheet();
    ASSERT_NE(sheet, nullptr);
    auto range = sheet->GetObject(u"Range", {Variant(sheet->GetObject(u"Cells", {2, 1})),
                                             Variant(sheet->GetObject(u"Cells", {3, 2}))});
    EXPECT_EQ(range->GetObject(u"Borders", {int32_t{9}})->Get(u"LineStyle"), Variant(int32_t{1}));
    EXPECT_EQ(range->GetObject(u"Borders", {int32_t{9}})->Get(u"Weight"), Variant(int32_t{2}));
    EXPECT_EQ(range->GetObject(u"Interior")->Get(u"ColorIndex"), Variant(int32_t{6}));
    EXPECT_TRUE(runtime.boxes.Shown().empty());
}

TEST_P(WrapperBehaviour, AShownInstanceEndsOnlyWhenQuit) {
    const int before = backend->RunningInstances();
    auto wrapper = Opened({u"A"});
    EXPECT_TRUE(wrapper->Show());
    EXPECT_TRUE(wrapper->Quit());
    wrapper.reset();
    EXPECT_EQ(backend->RunningInstancesOnceAt(before), before);
}

}  // namespace tabora::test
