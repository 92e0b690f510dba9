#pragma once
// Short ways to the parts of a Calc document that the Excel objects reach for.

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/CellRangeAddress.hpp>
#include <com/sun/star/table/XCellRange.hpp>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/calc/OfficeInstance.h"

namespace tabora::calc {

using SheetRef = css::uno::Reference<css::sheet::XSpreadsheet>;
using RangeRef = css::uno::Reference<css::table::XCellRange>;

css::uno::Reference<css::sheet::XSpreadsheetView> ViewOf(const DocumentRef& document);
css::uno::Reference<css::frame::XFrame> FrameOf(const DocumentRef& document);

// 0-based position of a sheet in its document.
int32_t SheetIndex(const SheetRef& sheet);

css::table::CellRangeAddress AddressOf(const RangeRef& range);

// Whether the document's structure is protected: Excel then adds, copies, moves, deletes, renames,
// hides and shows none of its sheets.
bool StructureProtected(const DocumentRef& document);

// Runs one of Calc's own commands (".uno:Copy", ...) on the document's frame.
void RunCommand(OfficeInstance& office, const DocumentRef& document, const char* command,
                const css::uno::Sequence<css::beans::PropertyValue>& args = {});

// Notes where the document's window stands, so that a question about it comes up in front of
// it; leaves what it cannot tell.
void LocateWindow(const DocumentRef& document, DocumentQuestion& question);

css::beans::PropertyValue Property(const char* name, const css::uno::Any& value);

}  // namespace tabora::calc
