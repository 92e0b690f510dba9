#include "platform/calc/CellValue.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/AddressConvention.hpp>
#include <com/sun/star/sheet/FormulaLanguage.hpp>
#include <com/sun/star/sheet/FormulaMapGroup.hpp>
#include <com/sun/star/sheet/XFormulaOpCodeMapper.hpp>
#include <com/sun/star/sheet/FormulaResult.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XFormulaParser.hpp>
#include <com/sun/star/sheet/XFormulaTokens.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/NumberFormat.hpp>
#include <com/sun/star/util/XNumberFormatTypes.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>

#include "platform/calc/CalcError.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;

namespace {

uno::Reference<util::XNumberFormats> FormatsOf(const DocumentRef& document) {
    uno::Reference<util::XNumberFormatsSupplier> supplier(document, uno::UNO_QUERY_THROW);
    return supplier->getNumberFormats();
}

int16_t FormatType(const DocumentRef& document, const uno::Reference<table::XCell>& cell) {
    uno::Reference<beans::XPropertySet> props(cell, uno::UNO_QUERY_THROW);
    sal_Int32 key = 0;
    props->getPropertyValue("NumberFormat") >>= key;
    sal_Int16 type = 0;
    FormatsOf(document)->getByKey(key)->getPropertyValue("Type") >>= type;
    return type;
}

Variant NumberAsExcelSees(double value, int16_t formatType) {
    if (formatType & util::NumberFormat::LOGICAL) return Variant(value != 0);
    if (formatType & (util::NumberFormat::DATE | util::NumberFormat::TIME)) return Variant(DateValue{value});
    return Variant(value);
}

void SetFormat(const DocumentRef& document, const uno::Reference<table::XCell>& cell, int16_t type) {
    uno::Reference<util::XNumberFormatTypes> types(FormatsOf(document), uno::UNO_QUERY_THROW);
    sal_Int32 key = types->getStandardFormat(type, lang::Locale("en", "US", ""));
    uno::Reference<beans::XPropertySet>(cell, uno::UNO_QUERY_THROW)->setPropertyValue("NumberFormat", uno::Any(key));
}

// A parser of formulas as Excel users write them: English names, commas, A1 references.
uno::Reference<sheet::XFormulaParser> ExcelFormulaParser(const DocumentRef& document) {
    uno::Reference<lang::XMultiServiceFactory> factory(document, uno::UNO_QUERY_THROW);
    uno::Reference<sheet::XFormulaOpCodeMapper> mapper(
        factory->createInstance("com.sun.star.sheet.FormulaOpCodeMapper"), uno::UNO_QUERY_THROW);
    auto opCodes = mapper->getAvailableMappings(sheet::FormulaLanguage::XL_ENGLISH,
                                                sheet::FormulaMapGroup::ALL_EXCEPT_SPECIAL);
    uno::Reference<sheet::XFormulaParser> parser(factory->createInstance("com.sun.star.sheet.FormulaParser"),
                                                 uno::UNO_QUERY_THROW);
    uno::Reference<beans::XPropertySet> props(parser, uno::UNO_QUERY_THROW);
    props->setPropertyValue("CompileEnglish", uno::Any(true));
    props->setPropertyValue("FormulaConvention", uno::Any(sheet::AddressConvention::XL_A1));
    props->setPropertyValue("OpCodeMap", uno::Any(opCodes));
    return parser;
}

void WriteFormula(const DocumentRef& document, const uno::Reference<table::XCell>& cell, const std::u16string& text) {
    auto parser = ExcelFormulaParser(document);
    table::CellRangeAddress where =
        uno::Reference<sheet::XCellRangeAddressable>(cell, uno::UNO_QUERY_THROW)->getRangeAddress();
    table::CellAddress at(where.Sheet, where.StartColumn, where.StartRow);
    auto tokens = parser->parseFormula(ToOUString(text), at);
    uno::Reference<sheet::XFormulaTokens>(cell, uno::UNO_QUERY_THROW)->setTokens(tokens);
}

}  // namespace

int32_t ExcelErrorCode(int32_t calcError) {
    switch (calcError) {
        case 521: return 2000;    // #NULL!
        case 532: return 2007;    // #DIV/0!
        case 519: return 2015;    // #VALUE!
        case 524: return 2023;    // #REF!
        case 525: return 2029;    // #NAME?
        case 503: return 2036;    // #NUM!
        case 32767: return 2042;  // #N/A
        default: return 2015;
    }
}

Variant ReadCellValue(const DocumentRef& document, const uno::Reference<table::XCell>& cell) {
    switch (cell->getType()) {
        case table::CellContentType_EMPTY: return Variant();
        case table::CellContentType_TEXT:
            return ToU16(uno::Reference<text::XTextRange>(cell, uno::UNO_QUERY_THROW)->getString());
        case table::CellContentType_VALUE: return NumberAsExcelSees(cell->getValue(), FormatType(document, cell));
        default: break;
    }
    if (cell->getError() != 0) return Variant(CellErrorValue{ExcelErrorCode(cell->getError())});
    uno::Reference<beans::XPropertySet> props(cell, uno::UNO_QUERY_THROW);
    sal_Int32 result = 0;
    props->getPropertyValue("FormulaResultType2") >>= result;
    if (result == sheet::FormulaResult::STRING)
        return ToU16(uno::Reference<text::XTextRange>(cell, uno::UNO_QUERY_THROW)->getString());
    return NumberAsExcelSees(cell->getValue(), FormatType(document, cell));
}

void WriteCellValue(const DocumentRef& document, const uno::Reference<table::XCell>& cell, const Variant& value) {
    switch (value.Type()) {
        case VariantType::Empty:
        case VariantType::Null: {
            using namespace sheet::CellFlags;
            uno::Reference<sheet::XSheetOperation>(cell, uno::UNO_QUERY_THROW)
                ->clearContents(VALUE | DATETIME | STRING | FORMULA);
            return;
        }
        case VariantType::Boolean:
            cell->setValue(value.AsBoolean() ? 1 : 0);
            SetFormat(document, cell, util::NumberFormat::LOGICAL);
            return;
        case VariantType::Date:
            cell->setValue(value.AsDate().serial);
            SetFormat(document, cell, util::NumberFormat::DATE);
            return;
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double: cell->setValue(value.ToNumber()); return;
        case VariantType::String: {
            const std::u16string& text = value.AsString();
            if (text.size() > 1 && text[0] == u'=') {
                WriteFormula(document, cell, text);
            } else {
                // Calc's own input reading: numbers become numbers, a leading apostrophe keeps text.
                cell->setFormula(ToOUString(text));
            }
            return;
        }
        default: throw CalcFailure(kErrTypeMismatch);
    }
}

}  // namespace tabora::calc
