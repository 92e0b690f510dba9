#pragma once
// The workbooks a soak run loads, made once per run by an office: names a user's workbooks
// really have (Japanese, full- and half-width forms, names that begin other names, 31
// characters, hidden sheets), some whose structure is protected, and one of 1,000 sheets.

#include <filesystem>
#include <vector>

#include "soak/OfficeJudge.h"

namespace tabora::soak {

struct SoakWorkbook {
    std::filesystem::path file;
    std::vector<SheetState> sheets;
    bool structureProtected = false;  // no sheet may be added, copied, deleted or renamed
};

// The workbooks of a run, in `folder`, the one of 1,000 sheets last; written by the office of
// this pid.
std::vector<SoakWorkbook> MakeSoakWorkbooks(OfficeJudge& judge, pid_t office, const std::filesystem::path& folder);

}  // namespace tabora::soak
