#pragma once
// Excel's rules for sheet names, checked before Calc is asked: Calc accepts names that Excel
// would refuse (longer than 31 characters, for one), and a file saved for Excel users must stay
// valid for Excel.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabora::calc {

inline constexpr size_t kMaxSheetNameLength = 31;

enum class SheetNameProblem { Empty, TooLong, BadCharacter, ApostropheAtEnd, Reserved, Taken };

// What is wrong with name as a new name among existing (the sheet's own current name excluded
// by the caller); nothing when Excel would accept it. Names are compared ignoring case.
std::optional<SheetNameProblem> CheckSheetName(std::u16string_view name,
                                               const std::vector<std::u16string>& existing);

// Excel's message for a refused name.
std::u16string SheetNameMessage(SheetNameProblem problem);

// The name Excel gives a copy of a sheet: "Base (2)", "Base (3)", ... the first one free, with
// a trailing " (n)" of the source dropped first and the base shortened to keep within 31.
std::u16string CopyName(std::u16string_view source, const std::vector<std::u16string>& existing);

// Case-insensitive comparison as Excel makes it for sheet names (ASCII and full-width letters).
bool SameSheetName(std::u16string_view a, std::u16string_view b);

}  // namespace tabora::calc
