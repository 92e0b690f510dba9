#pragma once
// Short ways for tests to call an application through the automation interface, whichever
// server is behind it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "excel/Automation.h"
#include "platform/RuntimeError.h"

namespace tabora::test {

// The error a call raises; fails the test when it raises none.
template <class F>
ErrorRecord ErrorOf(F&& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.Record();
    }
    ADD_FAILURE() << "no error raised";
    return {};
}

// A new workbook of application with these worksheets, active.
ObjectRef AddWorkbook(const ObjectRef& application, const std::vector<std::u16string>& sheetNames);

// Names of every worksheet of a workbook, through the enumeration.
std::vector<std::u16string> WorksheetNamesOf(const ObjectRef& workbook);

}  // namespace tabora::test
