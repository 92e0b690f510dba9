// Formatting a text box's value when the user leaves it.
#include <benchmark/benchmark.h>

#include "platform/Runtime.h"
#include "support/HeadlessEventLoop.h"
#include "support/HeadlessTextBox.h"
#include "text/Cls_InputLimitation.h"
#include "text/NumberText.h"

namespace tabora {
namespace {

constexpr char16_t kTwentyDigits[] = u"12345678901234567890";

// The whole round of one leave: the value typed (Change and its scan), then leaving (formatting,
// the Change of the write and its scan).
void BM_EnterAndLeave20DigitNumber(benchmark::State& state) {
    test::HeadlessEventLoop loop;
    platform::ScopedRuntime runtime{{.events = &loop}};
    test::HeadlessTextBox box;
    Cls_InputLimitation controller;
    controller.SetTextBox_Numeric(box);
    for (auto _ : state) {
        box.SetText(kTwentyDigits);
        benchmark::DoNotOptimize(box.Leave());
    }
    if (box.Text() != u"12,345,678,901,234,567,890") state.SkipWithError("not formatted");
}
BENCHMARK(BM_EnterAndLeave20DigitNumber);

void BM_FormatNumberText20Digits(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(text::FormatNumberText(kTwentyDigits, u"#,###,###,###,##0.0#####"));
}
BENCHMARK(BM_FormatNumberText20Digits);

}  // namespace
}  // namespace tabora
