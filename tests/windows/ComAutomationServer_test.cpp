#include "platform/com/ComAutomationServer.h"

#include <gtest/gtest.h>
#include "platform/com/WindowsSdk.h"

#include <deque>

#include "FakeDispatch.h"
#include "platform/RuntimeError.h"
#include "platform/com/DispatchObject.h"

namespace tabora::com {
namespace {

// {6C1E0A52-6F0B-4E39-9B7E-2F3D6A1C9E41}
constexpr CLSID kFakeClass = {0x6c1e0a52, 0x6f0b, 0x4e39, {0x9b, 0x7e, 0x2f, 0x3d, 0x6a, 0x1c, 0x9e, 0x41}};
constexpr wchar_t kFakeProgId[] = L"Tabora.FakeApplication";
constexpr wchar_t kFakeClsid[] = L"{6C1E0A52-6F0B-4E39-9B7E-2F3D6A1C9E41}";

// COM objects end through Release, never through delete on an interface pointer, so the
// interfaces' non-virtual destructors are as meant.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
// A class object that makes a new fake application for every CreateInstance, as Excel's
// single-use class object starts a new process for every client.
class FakeApplicationClass final : public IClassFactory, public test::ReferenceCounted {
public:
    std::deque<test::FakeDispatch> made;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        return made.emplace_back().QueryInterface(iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// ProgIDs go under HKEY_CLASSES_ROOT, where Wine looks them up (it does not merge the user's
// classes in); on Windows that needs an administrator.
class ComAutomationServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (std::wstring(kFakeProgId) + L"\\CLSID").c_str(), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kFakeClsid), sizeof(kFakeClsid));
        RegCloseKey(key);
        ASSERT_EQ(CoRegisterClassObject(kFakeClass, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
    }
    void TearDown() override {
        CoRevokeClassObject(cookie);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kFakeProgId);
        EXPECT_EQ(factory.References(), 0u);
        for (const test::FakeDispatch& application : factory.made) EXPECT_EQ(application.References(), 0u);
    }

    static IDispatch* InterfaceOf(const ObjectRef& object) {
        return dynamic_cast<DispatchObject&>(*object).Interface();
    }

    FakeApplicationClass factory;
    DWORD cookie = 0;
};

TEST_F(ComAutomationServerTest, EveryApplicationIsANewInstance) {
    ComAutomationServer server(reinterpret_cast<const char16_t*>(kFakeProgId));
    ObjectRef first = server.CreateApplication();
    ObjectRef second = server.CreateApplication();
    ASSERT_EQ(factory.made.size(), 2u);
    EXPECT_EQ(InterfaceOf(first), &factory.made[0]);
    EXPECT_EQ(InterfaceOf(second), &factory.made[1]);
    EXPECT_EQ(factory.made[0].References(), 1u);
}

TEST_F(ComAutomationServerTest, TheGlobalApplicationIsMadeOnFirstUseAndKept) {
    {
        ComAutomationServer server(reinterpret_cast<const char16_t*>(kFakeProgId));
        EXPECT_TRUE(factory.made.empty());
        ObjectRef global = server.GlobalApplication();
        EXPECT_EQ(server.GlobalApplication(), global);
        global.reset();
        ASSERT_EQ(factory.made.size(), 1u);
        EXPECT_EQ(factory.made[0].References(), 1u);  // the server keeps it
    }
    EXPECT_EQ(factory.made[0].References(), 0u);
}

TEST_F(ComAutomationServerTest, TheGlobalApplicationIsMadeAgainWhenItsServerHasDied) {
    ComAutomationServer server(reinterpret_cast<const char16_t*>(kFakeProgId));
    ObjectRef first = server.GlobalApplication();
    EXPECT_EQ(server.GlobalApplication(), first);
    factory.made[0].Disconnect();
    ObjectRef second = server.GlobalApplication();
    ASSERT_EQ(factory.made.size(), 2u);
    EXPECT_EQ(InterfaceOf(second), &factory.made[1]);
    EXPECT_EQ(server.GlobalApplication(), second);
    first.reset();
    EXPECT_EQ(factory.made[0].References(), 0u);  // the dead one is let go
}

struct MissingCase {
    const char* name;
    const char16_t* progId;
};

class MissingApplicationTest : public ComAutomationServerTest, public ::testing::WithParamInterface<MissingCase> {
protected:
    void SetUp() override {
        ComAutomationServerTest::SetUp();
        // A ProgID whose class nobody serves, as with Excel uninstalled but its ProgID left.
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Tabora.Orphan\\CLSID", 0, nullptr, 0, KEY_WRITE, nullptr,
                        &key, nullptr);
        constexpr wchar_t kOrphanClsid[] = L"{6C1E0A52-6F0B-4E39-9B7E-2F3D6A1C9E42}";
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrphanClsid), sizeof(kOrphanClsid));
        RegCloseKey(key);
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Tabora.Orphan");
        ComAutomationServerTest::TearDown();
    }
};

TEST_P(MissingApplicationTest, CreationFailsWith429AsOnTheDesktop) {
    ComAutomationServer server(GetParam().progId);
    try {
        server.CreateApplication();
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Record(),
                  (ErrorRecord{429, u"ActiveX コンポーネントはオブジェクトを作成できません。", u"Tabora"}));
    }
    EXPECT_THROW(server.GlobalApplication(), RuntimeError);
}

INSTANTIATE_TEST_SUITE_P(Registrations, MissingApplicationTest,
                         ::testing::Values(MissingCase{"NoProgId", u"Tabora.NotInstalled"},
                                           MissingCase{"NoClass", u"Tabora.Orphan"}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tabora::com
