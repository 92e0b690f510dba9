#pragma once
// Excel's PasteSpecial arguments as Calc's "Paste Special" command takes them.

#include <cstdint>
#include <string>

namespace tabora::calc {


struct CalcPaste {
    std::u16string flags;    // InsertContents "Flags": A all, S text, V numbers, D dates, F formulas, T formats, N notes
    int16_t operation = 0;   // "FormulaCommand": 0 none, 1 add, 2 subtract, 3 multiply, 4 divide
    bool skipBlanks = false;
    bool transpose = false;
    friend bool operator==(const CalcPaste&, const CalcPaste&) = default;
};

// Throws 1004 for a paste type or operation Excel does not have.
CalcPaste TranslatePaste(int32_t pasteType, int32_t operation, bool skipBlanks, bool transpose);

}  // namespace tabora::calc
