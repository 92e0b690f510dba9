// The Linux tool with the in-memory Excel of the tests in place of the office: for looking at
// the windows (scripts/screenshots) where no office is installed. Its workbooks are the double's
// fixture files (support/FakeWorkbookFile.h), opened by typing or dropping their path as usual.
#include "desktop/linux/DesktopTool.h"
#include "support/FakeExcel.h"

int main(int /*argc*/, char* argv[]) {
    return tabora::desktop::RunDesktopTool(argv[0], [] { return std::make_unique<tabora::test::FakeExcel>(); });
}
