#pragma once
// The state one FakeExcel server shares with every object it has handed out. The objects hold
// it, so it outlives the server as long as a test still holds one of them.

#include <deque>
#include <memory>
#include <vector>

#include "excel/model/Application.h"
#include "support/FakeCallLog.h"
#include "support/FakeWorkbookModel.h"

namespace tabora::test {

struct FakeExcelCore {
    std::vector<std::shared_ptr<FakeInstance>> instances;  // instance n at index n - 1
    std::shared_ptr<FakeInstance> global;                  // instance 0, made on first use
    // Excel's state of each instance, kept for the tests to read after its last object went.
    std::vector<std::shared_ptr<excel::model::Application>> models;
    std::vector<RecordedCall> calls;
    FailureRules failures;
    CallHooks duringCalls;
    std::deque<Variant> openFilenameAnswers;
    int liveReferences = 0;  // every object handed out and not yet released
};

}  // namespace tabora::test
