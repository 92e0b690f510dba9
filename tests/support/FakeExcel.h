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
// Excel's behaviour is its object model's (excel/model), the same the Calc server runs; this
// double holds the workbooks in memory (FakeWorkbookModel.h) and adds what tests need on top:
// the call record, failures on demand, scripted answers and the references alive. Where Excel
// would ask the user, it answers from scripts: a file-open dialog (AnswerOpenFilename), whether
// to save a changed workbook (FakeInstance::saveAnswers, Save when none is left). Deleting a
// sheet never asks: FakeInstance::deletions tells whether alerts were on. Every object of an
// instance that has quit or ended raises -2147417848 (see FakeExcelErrors.h).

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
    ObjectRef globalModel_;  // the global application's own object, under its proxies
    std::optional<ErrorRecord> createFailure_;
};

}  // namespace tabora::test
