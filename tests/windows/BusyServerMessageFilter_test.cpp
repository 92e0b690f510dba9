#include "platform/com/BusyServerMessageFilter.h"

#include <gtest/gtest.h>

#include "platform/com/ComPtr.h"
#include "platform/com/ScopedOleInitialization.h"

namespace tabora::com {
namespace {

constexpr DWORD kGiveUp = static_cast<DWORD>(-1);

struct RetryCase {
    DWORD elapsedMs;
    DWORD rejectType;
    DWORD answer;
};

class RetryDecisionTest : public ::testing::TestWithParam<RetryCase> {};

TEST_P(RetryDecisionTest, RetriesARejectedCallForTenSecondsThenGivesUp) {
    BusyServerMessageFilter filter;
    EXPECT_EQ(filter.RetryRejectedCall(nullptr, GetParam().elapsedMs, GetParam().rejectType), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RetryDecisionTest,
    ::testing::Values(RetryCase{0, SERVERCALL_RETRYLATER, 100}, RetryCase{9999, SERVERCALL_RETRYLATER, 100},
                      RetryCase{10000, SERVERCALL_RETRYLATER, kGiveUp}, RetryCase{60000, SERVERCALL_RETRYLATER, kGiveUp},
                      RetryCase{0, SERVERCALL_REJECTED, 100}, RetryCase{10000, SERVERCALL_REJECTED, kGiveUp},
                      RetryCase{0, SERVERCALL_ISHANDLED, kGiveUp}));

TEST(BusyServerMessageFilterTest, HandlesIncomingCallsAndPendingMessagesAsTheDefaultFilter) {
    BusyServerMessageFilter filter;
    EXPECT_EQ(filter.HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr), static_cast<DWORD>(SERVERCALL_ISHANDLED));
    EXPECT_EQ(filter.MessagePending(nullptr, 0, PENDINGTYPE_TOPLEVEL), static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));
}

// The filter registered on this thread now (the query takes it out; it goes straight back).
ComPtr<IMessageFilter> CurrentFilter() {
    ComPtr<IMessageFilter> current;
    EXPECT_EQ(CoRegisterMessageFilter(nullptr, current.Receive()), S_OK);
    EXPECT_EQ(CoRegisterMessageFilter(current.Get(), nullptr), S_OK);
    return current;
}

TEST(ScopedOleInitializationTest, InstallsTheFilterForItsLifeAndPutsTheEarlierOneBack) {
    ComPtr<IMessageFilter> before = CurrentFilter();
    {
        ScopedOleInitialization ole;
        ComPtr<IMessageFilter> current = CurrentFilter();
        EXPECT_EQ(current.Get(), static_cast<const IMessageFilter*>(&ole.Filter()));
        current.Reset();
        EXPECT_EQ(ole.Filter().References(), 1u);  // COM's own
    }
    EXPECT_EQ(CurrentFilter().Get(), before.Get());
}

}  // namespace
}  // namespace tabora::com
