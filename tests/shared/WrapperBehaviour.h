#pragma once
// One suite of Cls_ExcelCreate tests for every backend on which the wrapper should behave the
// same: the in-memory Excel and each real application server. Each executable instantiates it
// with its own backends, so the model and the real servers cannot drift apart.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/Runtime.h"
#include "shared/LocalFileSystem.h"
#include "support/ExcelBackend.h"
#include "support/HeadlessEventLoop.h"
#include "support/ScriptedMessageBox.h"

namespace tabora::test {

struct BackendKind {
    std::string name;
    std::function<std::unique_ptr<ExcelBackend>()> make;
};

inline std::string BackendName(const ::testing::TestParamInfo<BackendKind>& info) { return info.param.name; }

class WrapperBehaviour : public ::testing::TestWithParam<BackendKind> {
protected:
    void SetUp() override { backend = GetParam().make(); }
    void TearDown() override { backend.reset(); }

    ScriptedMessageBox boxes;
    HeadlessEventLoop events;
    LocalFileSystem files;
    platform::ScopedRuntime runtime{{.messageBox = &boxes, .events = &events, .files = &files}};
    std::unique_ptr<ExcelBackend> backend;
};

}  // namespace tabora::test
