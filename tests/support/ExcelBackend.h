#pragma once
// What a suite of wrapper tests needs from the spreadsheet behind it, so that the same tests
// run against the in-memory Excel and against a real application.

#include <cstdint>
#include <string>
#include <vector>

#include "excel/AutomationServer.h"

namespace tabora::test {

class ExcelBackend {
public:
    virtual ~ExcelBackend() = default;

    virtual AutomationServer& Server() = 0;
    // Makes a workbook file with these worksheets, in this order, in the backend's own temporary
    // folder; returns its full path. visibility, when given, holds each worksheet's Visible
    // value as Excel numbers it (-1 visible, 0 hidden, 2 very hidden).
    virtual std::u16string MakeWorkbookFile(const std::u16string& fileName,
                                            const std::vector<std::u16string>& worksheetNames,
                                            const std::vector<int32_t>& visibility = {}) = 0;
    // The worksheet names of a saved workbook file, in tab order.
    virtual std::vector<std::u16string> SavedWorksheetNames(const std::u16string& path) = 0;
    // Application instances that are running (started by this backend's server).
    virtual int RunningInstances() = 0;
    // The same once it has come to `awaited`: a released instance ends a moment after its release,
    // later still on a loaded machine. Gives the count as it stands if it never does.
    virtual int RunningInstancesOnceAt(int awaited) = 0;
    // The source of the errors the application itself raises ("Microsoft Excel").
    virtual std::u16string ErrorSource() const = 0;
};

}  // namespace tabora::test
