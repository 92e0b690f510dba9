#pragma once
// Excel's rules for sheet names: which names it accepts, the message it gives for one it refuses,
// and the names it makes up for copies and new sheets. Names are compared ignoring case
// (CaseFolding.h). Every server checks these before it asks its application: Calc accepts names
// that Excel refuses (longer than 31 characters, for one), and a file saved for Excel users must
// stay valid for Excel.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabora::excel {

inline constexpr size_t kMaxSheetNameLength = 31;

enum class SheetNameProblem { Empty, TooLong, BadCharacter, ApostropheAtEnd, Reserved, Taken };

// What is wrong with name on its own: 1 to 31 characters, none of : \ / ? * [ ], no apostrophe
// at either end, not the reserved "History". Nothing when Excel accepts it.
std::optional<SheetNameProblem> CheckSheetName(std::u16string_view name);

// The same, and Taken when one of existing bears it (the sheet's own current name excluded by
// the caller, so that a change of case only is allowed).
std::optional<SheetNameProblem> CheckSheetName(std::u16string_view name, const std::vector<std::u16string>& existing);

// Excel's message for a refused name.
std::u16string SheetNameMessage(SheetNameProblem problem);

// The name a copy of a sheet named source gets among existing: the name itself while it is free,
// else "Name (2)", "Name (3)", ... the first one free. A " (n)" the source already ends with is
// replaced, and the base is shortened so that the whole stays within 31 characters.
std::u16string CopyName(std::u16string_view source, const std::vector<std::u16string>& existing);

// The first free "<prefix><n>" (n = 1, 2, ...) among existing: "Sheet4", "Chart1".
std::u16string NewSheetName(std::u16string_view prefix, const std::vector<std::u16string>& existing);

}  // namespace tabora::excel
