#pragma once
// An in-memory Excel behind the automation interface, for tests.
//
// Every object it hands out is a fresh reference into one model, as COM hands out interface
// pointers: tests can count the references alive, see every call that reached Excel (with its
// argument types), make any call fail, and inspect the instances' state directly.
//
// Collections give their items through Get(u"Item", {key}) (the default member, called with an
// empty member name or "_Default", does the same): an Integer or Long key is a 1-based position,
// a String a name matched ignoring case; another type raises 13, an unknown key 9. Properties
// that are objects answer Nothing (an empty reference in an Object variant) where Excel has none:
// ActiveWorkbook, ActiveSheet and Selection with no workbook open. Using that answer raises 91.
//
// Where Excel leaves a choice, this double does as follows:
// - Member names and named arguments match ignoring case; a property read and a method call are
//   interchangeable, as Excel's IDispatch takes either. Arguments bind by Excel's parameter
//   names, so SaveAs takes AccessMode named or as its 7th positional argument (Missing in
//   between). Too many arguments raise 450, an unknown name 448, a required one left out 449.
// - Select works only on cells of the sheet in front (1004 otherwise), as in Excel; each
//   worksheet keeps its own selection, and Application.Selection is the front sheet's.
// - Deleting a sheet never asks: FakeInstance::deletions tells whether alerts were on.
// - Copy snapshots the cells (the clipboard); formulas are kept as text and never evaluated;
//   a range keeps its address when rows or columns move under it; reading Value of more than
//   one cell (an array in Excel) raises 1004.
// - Objects whose sheet was deleted or whose workbook was closed raise -2147221080; every object
//   of an instance that has quit or ended raises -2147417848 (see FakeExcelErrors.h).

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "excel/AutomationServer.h"
#include "support/FakeCallLog.h"
#include "support/FakeWorkbookModel.h"

namespace tabora::test {

struct FakeExcelCore;

class FakeExcel : public AutomationServer {
public:
    FakeExcel();
    ~FakeExcel() override;
    FakeExcel(const FakeExcel&) = delete;
    FakeExcel& operator=(const FakeExcel&) = delete;

    // A new hidden instance each time: Visible False, DisplayAlerts True, 3 sheets in a new
    // workbook. It ends when its last reference is released, unless it was ever made visible.
    ObjectRef CreateApplication() override;
    // One application kept for the server's life (instance 0); every call returns a new
    // reference to it. Its GetOpenFilename answers from AnswerOpenFilename.
    ObjectRef GlobalApplication() override;

    // --- scripting ---
    // Answers of GetOpenFilename, in order: a path, or the text u"False". With none left it
    // answers as Excel does on cancel: the Boolean False.
    void AnswerOpenFilename(Variant answer);
    // CreateApplication throws this until cleared (excel_error::ExcelNotInstalled(), say).
    void FailCreateApplication(ErrorRecord error) { createFailure_ = std::move(error); }
    // Matching calls raise error and change nothing. They are still recorded, with the error.
    void FailCall(CallMatcher matcher, ErrorRecord error);
    // Every call on every object raises error: a dead server.
    void FailEverything(ErrorRecord error);
    // Removes every failure, CreateApplication's too.
    void ClearFailures();
    // action runs while a matching call is in flight, before it takes effect: the events that
    // run while an out-of-process server is awaited.
    void DuringCall(CallMatcher matcher, std::function<void()> action);

    // --- the call log ---
    const std::vector<RecordedCall>& Calls() const;
    // Each call as its text ("Worksheet.Copy(After:=<Worksheet \"Sheet3\">)"), in order.
    std::vector<std::string> CallTexts() const;
    // Only the members, in order.
    std::vector<std::u16string> Members() const;
    void ClearCalls();

    // --- the model ---
    // Instances made by CreateApplication, numbered from 1; the global application is 0.
    FakeInstance& Instance(int id);
    const FakeInstance& Instance(int id) const;
    int InstanceCount() const;
    // Instances of CreateApplication that have not ended.
    int RunningInstanceCount() const;
    // Objects handed out and still held, the server's own hold on the global application not
    // counted; or those of one instance.
    int LiveReferences() const;
    int LiveReferences(int instance) const;

private:
    std::shared_ptr<FakeExcelCore> core_;
    ObjectRef global_;
    std::optional<ErrorRecord> createFailure_;
};

}  // namespace tabora::test
