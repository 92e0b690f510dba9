#pragma once
// What a run of the duplication window may have done to a workbook, judged from the lines the
// user typed and the workbook before and after: the rule a user relies on, written apart from
// the code that carries it out.

#include <optional>
#include <string>
#include <vector>

#include "soak/OfficeJudge.h"

namespace tabora::soak {

// The names typed lines ask for, in order: each non-empty line up to its first comma.
std::vector<std::u16string> NamesAskedFor(const std::vector<std::u16string>& lines);

// Empty when `after` is a sound outcome of copying base under `asked` in `before`; otherwise
// what is wrong. Sound: the sheets of `before` stand first, unchanged in name, order and
// visibility; the new sheets follow, each named exactly as a line asked, in the order of the
// lines; a name a sheet already has is skipped; a name no workbook accepts (one a sheet has in
// another letter case among them) ends the run; a new, acceptable name is created unless the run has ended. Where the
// office may answer either way (names of spaces, a base named in another letter case), both
// answers pass. Into a workbook whose structure is protected no copy is made: sound is `after`
// equal to `before`.
std::optional<std::string> JudgeCopy(const std::vector<SheetState>& before, const std::u16string& base,
                                     const std::vector<std::u16string>& asked, const std::vector<SheetState>& after,
                                     bool structureProtected = false);

std::string Utf8(const std::u16string& text);

}  // namespace tabora::soak
