#pragma once
// The services a test installs for the code under test: scripted message boxes, a headless
// event loop and the disk. Make one member of a fixture; it is installed for the fixture's life.

#include "platform/Runtime.h"
#include "support/HeadlessEventLoop.h"
#include "support/ScriptedMessageBox.h"
#include "support/StdFileSystem.h"

namespace tabora::test {

struct TestRuntime {
    ScriptedMessageBox boxes;
    HeadlessEventLoop events;
    StdFileSystem files;
    platform::ScopedRuntime installed{{.messageBox = &boxes, .events = &events, .files = &files}};
};

}  // namespace tabora::test
