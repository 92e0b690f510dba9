#include "app/mdl_All.h"

#include <gtest/gtest.h>

#include "support/FakeExcel.h"
#include "support/HeadlessForms.h"
#include "support/TestRuntime.h"

namespace tabora::test {
namespace {

class ScriptedInstanceLock : public platform::InstanceLock {
public:
    explicit ScriptedInstanceLock(bool anotherRuns) : anotherRuns_(anotherRuns) {}
    bool IsAnotherInstanceRunning() override { return anotherRuns_; }

private:
    bool anotherRuns_;
};

TEST(Main, ShowsTheSheetListWindowModelessAtTheTopLeft) {
    TestRuntime runtime;
    FakeExcel excel;
    HeadlessFormFactory forms;
    ScriptedInstanceLock lock(false);
    auto window = mdl_All::Main(lock, {forms, excel});
    ASSERT_NE(window, nullptr);
    HeadlessForm& form = *forms.Last(u"Frm_Test");
    EXPECT_TRUE(form.Visible());
    EXPECT_FALSE(form.IsModal());
    EXPECT_EQ(form.Top(), 0);
    EXPECT_TRUE(form.TextBox(u"Txt_Path").Text().empty());
    EXPECT_TRUE(runtime.boxes.Shown().empty());
}

TEST(Main, ASecondInstanceEndsWithoutAWindowOrAWord) {
    TestRuntime runtime;
    FakeExcel excel;
    HeadlessFormFactory forms;
    ScriptedInstanceLock lock(true);
    EXPECT_EQ(mdl_All::Main(lock, {forms, excel}), nullptr);
    EXPECT_EQ(forms.CreatedCount(u"Frm_Test"), 0);
    EXPECT_TRUE(runtime.boxes.Shown().empty());
    EXPECT_EQ(excel.InstanceCount(), 0);
}

}  // namespace
}  // namespace tabora::test
