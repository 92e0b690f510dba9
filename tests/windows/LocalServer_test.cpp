// The COM layer across a process boundary, as it calls Excel: our own local server
// (tabora_test_server.exe, beside this program) is registered for two classes, one for the
// ordinary calls and one for the test that kills its server, so that the kill touches nothing
// else.
#include <gtest/gtest.h>

#include "platform/com/WindowsSdk.h"

#include <string>

#include "ErrorChecks.h"
#include "LocalTestServer.h"
#include "platform/RuntimeError.h"
#include "platform/com/ComAutomationServer.h"
#include "platform/com/DispatchObject.h"

namespace tabora::com {
namespace {

using test::CreateTestServer;
using test::RegisterTestServer;
using test::TestServerClass;
constexpr TestServerClass kServer = test::kTestServer;
constexpr TestServerClass kDoomedServer{L"Tabora.DoomedTestServer", L"{6C1E0A52-6F0B-4E39-9B7E-2F3D6A1C9E51}"};

using test::ErrorOf;

class LocalServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterTestServer(kServer);
        RegisterTestServer(kDoomedServer);
    }
    static ObjectRef Create(const TestServerClass& test) { return CreateTestServer(test); }
};

TEST_F(LocalServerTest, ValuesCrossTheProcessBoundaryWithTheirExactTypes) {
    ObjectRef server = Create(kServer);
    EXPECT_NE(server->Get(u"ProcessId"), Variant(int32_t(GetCurrentProcessId())));
    const Variant values[] = {int16_t{-7},   int32_t{70000}, 2.5,        true,  false, DateValue{45000.25},
                              u"売上_大阪😀", u"",            Variant(), Variant::Null(),
                              std::u16string(u"a\0b", 3)};
    for (const Variant& value : values) {
        Variant back = server->Call(u"Echo", {value});
        EXPECT_EQ(back, value) << TypeName(value.Type()) << " came back as " << TypeName(back.Type());
    }
}

TEST_F(LocalServerTest, NamedArgumentsArriveByNameInAnyOrder) {
    ObjectRef server = Create(kServer);
    EXPECT_EQ(server->Call(u"Subtract", {int32_t{10}, int32_t{3}}), Variant(int32_t{7}));
    EXPECT_EQ(server->Call(u"Subtract", {}, {{u"Minuend", int32_t{10}}, {u"Subtrahend", int32_t{3}}}),
              Variant(int32_t{7}));
    EXPECT_EQ(server->Call(u"Subtract", {}, {{u"Subtrahend", int32_t{3}}, {u"Minuend", int32_t{10}}}),
              Variant(int32_t{7}));
    EXPECT_EQ(server->Call(u"Subtract", {int32_t{10}}, {{u"Subtrahend", int32_t{3}}}), Variant(int32_t{7}));
}

TEST_F(LocalServerTest, TheServersObjectsComeOutAndGoBackIn) {
    EXPECT_NO_ERROR({
    ObjectRef server = Create(kServer);
    ObjectRef child = server->GetObject(u"NewChild", {u"最初"});
    EXPECT_EQ(child->Get(u"Name"), Variant(u"最初"));
    child->Put(u"Name", u"二番目😀");
    EXPECT_EQ(child->Get(u"Name"), Variant(u"二番目😀"));
    server->Call(u"Keep", {child});
    server->Get(u"Kept").AsObject()->Put(u"Name", u"三番目");
    EXPECT_EQ(child->Get(u"Name"), Variant(u"三番目"));
    });
}

TEST_F(LocalServerTest, AnObjectOfOursIsCalledBackByTheServerAndComesBackAsItself) {
    EXPECT_NO_ERROR({
    ObjectRef server = Create(kServer);
    ObjectRef ours = ComAutomationServer(u"Scripting.Dictionary").CreateApplication();
    ours->Call(u"Add", {u"k", int32_t{1}});
    server->Call(u"Keep", {ours});
    EXPECT_EQ(server->Call(u"CountOf", {ours}), Variant(int32_t{1}));
    ObjectRef back = server->Get(u"Kept").AsObject();
    EXPECT_EQ(dynamic_cast<DispatchObject&>(*back).Interface(), dynamic_cast<DispatchObject&>(*ours).Interface());
    });
}

TEST_F(LocalServerTest, TheServersErrorsComeWithNumberTextAndSource) {
    EXPECT_NO_ERROR({
    ObjectRef server = Create(kServer);
    EXPECT_EQ(ErrorOf([&] { server->Call(u"Fail", {int32_t{1004}, u"Range クラスの Select メソッドが失敗しました。"}); }),
              (ErrorRecord{1004, u"Range クラスの Select メソッドが失敗しました。", u"Tabora.TestServer"}));
    // Without a description: the program's text for the number.
    EXPECT_EQ(ErrorOf([&] { server->Call(u"Fail", {int32_t{9}}); }),
              (ErrorRecord{9, vb_error::Description(9), u"Tabora.TestServer"}));
    EXPECT_EQ(ErrorOf([&] { server->Call(u"NoSuchMember"); }), vb_error::Raise(438).Record());
    EXPECT_EQ(ErrorOf([&] { server->Call(u"Subtract", {}, {{u"Whence", int32_t{1}}}); }),
              vb_error::Raise(448).Record());
    EXPECT_EQ(ErrorOf([&] { server->Call(u"Subtract", {u"x", int32_t{1}}); }), vb_error::Raise(13).Record());
    });
}

TEST_F(LocalServerTest, AKilledServerIsError462AtEveryLaterCall) {
    ObjectRef server = Create(kDoomedServer);
    ObjectRef child = server->GetObject(u"NewChild", {u"x"});
    auto processId = static_cast<DWORD>(server->Get(u"ProcessId").AsLong());
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    ASSERT_NE(process, nullptr);
    ASSERT_TRUE(TerminateProcess(process, 1));
    EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    CloseHandle(process);

    const ErrorRecord gone = vb_error::Raise(vb_error::kServerUnavailable).Record();
    EXPECT_EQ(ErrorOf([&] { server->Get(u"ProcessId"); }), gone);
    EXPECT_EQ(ErrorOf([&] { server->Call(u"Echo", {int32_t{1}}); }), gone);
    EXPECT_EQ(ErrorOf([&] { child->Get(u"Name"); }), gone);
    EXPECT_FALSE(dynamic_cast<DispatchObject&>(*server).ServerAlive());
    EXPECT_EQ(server->TypeName(), u"");
    // Letting go of the dead proxies returns as well.
    child.reset();
    server.reset();
}

}  // namespace
}  // namespace tabora::com
