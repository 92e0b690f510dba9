#include "platform/calc/PasteOptions.h"

#include "excel/model/Xl.h"
#include "platform/calc/CalcError.h"

namespace tabora::calc {
namespace {

std::u16string FlagsFor(int32_t pasteType) {
    switch (pasteType) {
        case excel::xl::kPasteAll:
        case 7:    // xlPasteAllExceptBorders: Calc cannot leave borders out
        case 13:   // xlPasteAllUsingSourceTheme
        case 14:   // xlPasteAllMergingConditionalFormats
            return u"A";
        case -4163: return u"SVD";   // xlPasteValues
        case -4123: return u"SVDF";  // xlPasteFormulas
        case -4122: return u"T";     // xlPasteFormats
        case -4144: return u"N";     // xlPasteComments
        case 11: return u"SVDFT";    // xlPasteFormulasAndNumberFormats
        case 12: return u"SVDT";     // xlPasteValuesAndNumberFormats
        default: throw CalcFailure(kErrRefused, u"PasteSpecial");
    }
}

int16_t OperationFor(int32_t operation) {
    switch (operation) {
        case excel::xl::kOperationNone: return 0;
        case 2: return 1;  // xlPasteSpecialOperationAdd
        case 3: return 2;  // subtract
        case 4: return 3;  // multiply
        case 5: return 4;  // divide
        default: throw CalcFailure(kErrRefused, u"PasteSpecial");
    }
}

}  // namespace

CalcPaste TranslatePaste(int32_t pasteType, int32_t operation, bool skipBlanks, bool transpose) {
    return {FlagsFor(pasteType), OperationFor(operation), skipBlanks, transpose};
}

}  // namespace tabora::calc
