#include "platform/com/DispatchObject.h"

#include <gtest/gtest.h>

#include "FakeDispatch.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

namespace tabora::com {
namespace {

using test::FakeDispatch;
using test::FakeEnumerator;
using test::RecordedInvoke;

constexpr DISPID kActivate = 11, kCells = 12, kName = 13, kCopy = 14, kAfter = 101, kBefore = 102;

// The text of a string argument; a mark for anything else, so that a wrong type fails cleanly.
std::u16string Text(const ScopedVariant& argument) {
    if (argument.Get().vt != VT_BSTR) return u"<not a string>";
    return ToU16String(argument.Get().bstrVal);
}

class DispatchObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (FakeDispatch* fake : {&sheet, &other}) {
            fake->AddName(u"Activate", kActivate);
            fake->AddName(u"Cells", kCells);
            fake->AddName(u"Name", kName);
            fake->AddName(u"Copy", kCopy);
            fake->AddName(u"After", kAfter);
            fake->AddName(u"Before", kBefore);
        }
    }
    void TearDown() override {
        object.reset();
        sheet.ClearCalls();
        other.ClearCalls();
        // Every reference the layer took is given back.
        EXPECT_EQ(sheet.References(), 0u);
        EXPECT_EQ(other.References(), 0u);
        EXPECT_EQ(enumerator.References(), 0u);
    }
    const RecordedInvoke& Last() const { return sheet.Calls().back(); }

    FakeDispatch sheet;
    FakeDispatch other;
    FakeEnumerator enumerator;
    std::shared_ptr<DispatchObject> object = std::make_shared<DispatchObject>(ComPtr<IDispatch>::Share(&sheet));
};

TEST_F(DispatchObjectTest, MethodLooksUpItsNameAndInvokesWithLocale1033) {
    object->Call(u"Activate");
    ASSERT_EQ(sheet.Calls().size(), 1u);
    EXPECT_EQ(Last().names, std::vector<std::u16string>{u"Activate"});
    EXPECT_EQ(Last().namesLocale, 1033u);
    EXPECT_EQ(Last().member, kActivate);
    EXPECT_EQ(Last().locale, 1033u);
    EXPECT_EQ(Last().flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    EXPECT_TRUE(Last().args.empty());
    EXPECT_TRUE(Last().namedIds.empty());
    EXPECT_TRUE(Last().wantsResult);
}

TEST_F(DispatchObjectTest, TheCallersLocaleIsPassedOn) {
    object->Invoke({InvokeKind::Method, u"Activate", {}, {}, 1041});
    EXPECT_EQ(Last().namesLocale, 1041u);
    EXPECT_EQ(Last().locale, 1041u);
}

TEST_F(DispatchObjectTest, PositionalArgumentsArriveLastFirstWithTheirExactTypes) {
    object->Get(u"Cells", {int16_t{3}, int32_t{70000}, u"D"});
    ASSERT_EQ(Last().args.size(), 3u);
    EXPECT_EQ(Text(Last().args[0]), u"D");
    EXPECT_EQ(Last().args[1].Get().vt, VT_I4);
    EXPECT_EQ(Last().args[1].Get().lVal, 70000);
    EXPECT_EQ(Last().args[2].Get().vt, VT_I2);
    EXPECT_EQ(Last().args[2].Get().iVal, 3);
}

TEST_F(DispatchObjectTest, OmittedArgumentsAreParamNotFoundErrors) {
    object->Call(u"Copy", {Variant::Missing(), u"x"});
    ASSERT_EQ(Last().args.size(), 2u);
    EXPECT_EQ(Last().args[1].Get().vt, VT_ERROR);
    EXPECT_EQ(Last().args[1].Get().scode, DISP_E_PARAMNOTFOUND);
}

TEST_F(DispatchObjectTest, NamedArgumentsAreLookedUpWithTheMemberAndComeFirst) {
    object->Call(u"Copy", {int32_t{1}, int32_t{2}}, {{u"After", u"a"}, {u"Before", int16_t{9}}});
    EXPECT_EQ(Last().names, (std::vector<std::u16string>{u"Copy", u"After", u"Before"}));
    EXPECT_EQ(Last().namedIds, (std::vector<DISPID>{kAfter, kBefore}));
    ASSERT_EQ(Last().args.size(), 4u);
    EXPECT_EQ(Text(Last().args[0]), u"a");
    EXPECT_EQ(Last().args[1].Get().vt, VT_I2);
    EXPECT_EQ(Last().args[1].Get().iVal, 9);
    EXPECT_EQ(Last().args[2].Get().lVal, 2);
    EXPECT_EQ(Last().args[3].Get().lVal, 1);
}

TEST_F(DispatchObjectTest, AnObjectArgumentIsTheInterfaceItCameFrom) {
    ObjectRef after = std::make_shared<DispatchObject>(ComPtr<IDispatch>::Share(&other));
    object->Call(u"Copy", {}, {{u"After", after}});
    ASSERT_EQ(Last().args.size(), 1u);
    EXPECT_EQ(Last().args[0].Get().vt, VT_DISPATCH);
    EXPECT_EQ(Last().args[0].Get().pdispVal, static_cast<IDispatch*>(&other));
}

TEST_F(DispatchObjectTest, PropertyPutPassesTheValueAsDispidPropertyPut) {
    object->Put(u"Name", u"Sheet9");
    EXPECT_EQ(Last().member, kName);
    EXPECT_EQ(Last().flags, DISPATCH_PROPERTYPUT);
    EXPECT_FALSE(Last().wantsResult);
    EXPECT_EQ(Last().namedIds, std::vector<DISPID>{DISPID_PROPERTYPUT});
    ASSERT_EQ(Last().args.size(), 1u);
    EXPECT_EQ(Text(Last().args[0]), u"Sheet9");
}

TEST_F(DispatchObjectTest, IndexedPropertyPutHasTheValueFirstThenTheIndexesLastFirst) {
    object->PutIndexed(u"Cells", {int16_t{1}, int16_t{2}}, true);
    EXPECT_EQ(Last().namedIds, std::vector<DISPID>{DISPID_PROPERTYPUT});
    ASSERT_EQ(Last().args.size(), 3u);
    EXPECT_EQ(Last().args[0].Get().vt, VT_BOOL);
    EXPECT_EQ(Last().args[0].Get().boolVal, VARIANT_TRUE);
    EXPECT_EQ(Last().args[1].Get().iVal, 2);
    EXPECT_EQ(Last().args[2].Get().iVal, 1);
}

TEST_F(DispatchObjectTest, APutWithoutValueIsRefusedBeforeReachingTheServer) {
    EXPECT_THROW(object->Invoke({InvokeKind::PropertyPut, u"Name", {}, {}, kExcelLocale}), RuntimeError);
    EXPECT_TRUE(sheet.Calls().empty());
}

TEST_F(DispatchObjectTest, ResultsComeBackWithTheirTypes) {
    sheet.OnInvoke([](const RecordedInvoke&, VARIANT* result, EXCEPINFO*) {
        result->vt = VT_I2;
        result->iVal = -5;
        return S_OK;
    });
    Variant value = object->Get(u"Name");
    EXPECT_EQ(value.Type(), VariantType::Integer);
    EXPECT_EQ(value.AsInteger(), -5);
}

TEST_F(DispatchObjectTest, AReturnedObjectCanBeCalledAndIsReleasedWithItsWrapper) {
    sheet.OnInvoke([this](const RecordedInvoke&, VARIANT* result, EXCEPINFO*) {
        test::ReturnObject(result, &other);
        return S_OK;
    });
    {
        ObjectRef cell = object->GetObject(u"Cells", {int16_t{1}, int16_t{1}});
        EXPECT_EQ(other.References(), 1u);
        cell->Call(u"Activate");
        ASSERT_EQ(other.Calls().size(), 1u);
        EXPECT_EQ(other.Calls()[0].member, kActivate);
    }
    EXPECT_EQ(other.References(), 0u);
}

TEST_F(DispatchObjectTest, AnUnknownMemberIsError438WithoutInvoking) {
    try {
        object->Call(u"NoSuchMember", {}, {{u"After", int32_t{1}}});
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Record(), vb_error::Raise(vb_error::kMemberNotFound).Record());
    }
    EXPECT_TRUE(sheet.Calls().empty());
}

TEST_F(DispatchObjectTest, AnUnknownNamedArgumentOfAKnownMemberIsError448) {
    try {
        object->Call(u"Copy", {}, {{u"After", int32_t{1}}, {u"Whence", int32_t{1}}});
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Record(), vb_error::Raise(vb_error::kNamedArgumentNotFound).Record());
    }
    EXPECT_TRUE(sheet.Calls().empty());
}

HRESULT STDAPICALLTYPE FillInExcelError(EXCEPINFO* info) {
    info->scode = static_cast<SCODE>(0x800A03ECu);
    info->bstrSource = SysAllocString(L"Microsoft Excel");
    info->bstrDescription = SysAllocString(L"Range クラスの Select メソッドが失敗しました。");
    return S_OK;
}

TEST_F(DispatchObjectTest, AServerExceptionBecomesItsNumberDescriptionAndSourceAfterDeferredFillIn) {
    sheet.OnInvoke([](const RecordedInvoke&, VARIANT*, EXCEPINFO* exception) {
        exception->pfnDeferredFillIn = &FillInExcelError;
        return DISP_E_EXCEPTION;
    });
    try {
        object->Call(u"Activate");
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Record(), (ErrorRecord{1004, u"Range クラスの Select メソッドが失敗しました。", u"Microsoft Excel"}));
    }
}

TEST_F(DispatchObjectTest, AnObjectWithoutTypeInformationHasNoTypeName) { EXPECT_EQ(object->TypeName(), u""); }

TEST_F(DispatchObjectTest, TheServerIsAliveUntilItsProxyReportsItGone) {
    EXPECT_TRUE(object->ServerAlive());
    sheet.Disconnect();
    EXPECT_FALSE(object->ServerAlive());
    // As the in-memory Excel answers once it has been closed.
    try {
        object->Call(u"Activate");
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Record(), vb_error::Raise(vb_error::kObjectDisconnected).Record());
    }
}

TEST_F(DispatchObjectTest, AFailedInvokeWithoutExceptionIsItsHresult) {
    sheet.OnInvoke([](const RecordedInvoke&, VARIANT*, EXCEPINFO*) { return RPC_E_CALL_REJECTED; });
    try {
        object->Call(u"Activate");
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), static_cast<int32_t>(RPC_E_CALL_REJECTED));
        EXPECT_FALSE(error.Record().Description.empty());
    }
}

TEST_F(DispatchObjectTest, ObjectArgumentsAndResultsAreReleasedWhenTheCallFails) {
    sheet.OnInvoke([](const RecordedInvoke&, VARIANT*, EXCEPINFO*) { return E_FAIL; });
    ObjectRef argument = std::make_shared<DispatchObject>(ComPtr<IDispatch>::Share(&other));
    EXPECT_THROW(object->Call(u"Copy", {argument}), RuntimeError);
    sheet.ClearCalls();
    argument.reset();
    EXPECT_EQ(other.References(), 0u);
}

class EnumerationTest : public DispatchObjectTest, public ::testing::WithParamInterface<int> {};

TEST_P(EnumerationTest, EnumerationGivesEveryItemInOrderAndReleasesTheEnumerator) {
    const int count = GetParam();
    for (int i = 0; i < count; ++i) {
        VARIANT item;
        test::ReturnObject(&item, &other);
        enumerator.Add(item);
        VariantClear(&item);
    }
    sheet.OnInvoke([this](const RecordedInvoke& call, VARIANT* result, EXCEPINFO*) {
        if (call.member != DISPID_NEWENUM) return DISP_E_MEMBERNOTFOUND;
        test::ReturnUnknown(result, &enumerator);
        return S_OK;
    });
    {
        std::vector<Variant> items = object->Enumerate();
        ASSERT_EQ(items.size(), static_cast<size_t>(count));
        for (const Variant& item : items) EXPECT_EQ(dynamic_cast<DispatchObject&>(*item.AsObject()).Interface(), &other);
        EXPECT_EQ(sheet.Calls().at(0).flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
        EXPECT_EQ(sheet.Calls().at(0).locale, 1033u);
        EXPECT_TRUE(sheet.Calls().at(0).names.empty());
    }
    EXPECT_EQ(enumerator.References(), 0u);
    enumerator.Clear();  // the items it holds go too
    EXPECT_EQ(other.References(), 0u);
}

// Empty, fewer than one batch, exactly one batch, several batches.
INSTANTIATE_TEST_SUITE_P(Sizes, EnumerationTest, ::testing::Values(0, 3, 32, 70));

TEST_F(DispatchObjectTest, EnumeratingSomethingThatIsNoCollectionIsError438) {
    sheet.OnInvoke([](const RecordedInvoke&, VARIANT* result, EXCEPINFO*) {
        result->vt = VT_I4;
        result->lVal = 1;
        return S_OK;
    });
    try {
        object->Enumerate();
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), 438);
    }
}

}  // namespace
}  // namespace tabora::com
