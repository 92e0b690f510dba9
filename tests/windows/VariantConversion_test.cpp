#include "platform/com/VariantConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "FakeDispatch.h"
#include "platform/RuntimeError.h"
#include "platform/com/Bstr.h"
#include "platform/com/DispatchObject.h"

namespace tabora::com {
namespace {

// One value each way: the core's value, the VARIANT it must become, and back.
struct ExactCase {
    const char* name;
    Variant core;
    VARTYPE vt;
    std::function<bool(const VARIANT&)> holds;
};

class ExactConversionTest : public ::testing::TestWithParam<ExactCase> {};

TEST_P(ExactConversionTest, GoesOverWithItsTypeAndComesBackTheSame) {
    const ExactCase& c = GetParam();
    ScopedVariant com = ToComVariant(c.core);
    EXPECT_EQ(com.Get().vt, c.vt);
    EXPECT_TRUE(c.holds(com.Get()));
    Variant back = FromComVariant(com.Get());
    EXPECT_EQ(back.Type(), c.core.Type());
    EXPECT_EQ(back, c.core);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ExactConversionTest,
    ::testing::Values(
        ExactCase{"Empty", Variant(), VT_EMPTY, [](const VARIANT&) { return true; }},
        ExactCase{"Null", Variant::Null(), VT_NULL, [](const VARIANT&) { return true; }},
        ExactCase{"Missing", Variant::Missing(), VT_ERROR, [](const VARIANT& v) { return v.scode == DISP_E_PARAMNOTFOUND; }},
        ExactCase{"True", Variant(true), VT_BOOL, [](const VARIANT& v) { return v.boolVal == VARIANT_TRUE; }},
        ExactCase{"False", Variant(false), VT_BOOL, [](const VARIANT& v) { return v.boolVal == VARIANT_FALSE; }},
        ExactCase{"Integer", Variant(int16_t{-32768}), VT_I2, [](const VARIANT& v) { return v.iVal == -32768; }},
        ExactCase{"Long", Variant(int32_t{1}), VT_I4, [](const VARIANT& v) { return v.lVal == 1; }},
        ExactCase{"Double", Variant(2.5), VT_R8, [](const VARIANT& v) { return v.dblVal == 2.5; }},
        ExactCase{"Date", Variant(DateValue{45000.25}), VT_DATE, [](const VARIANT& v) { return v.date == 45000.25; }},
        ExactCase{"String", Variant(u"シート1"), VT_BSTR,
                  [](const VARIANT& v) { return ToU16String(v.bstrVal) == u"シート1"; }},
        ExactCase{"StringWithNul", Variant(std::u16string(u"a\0b", 3)), VT_BSTR,
                  [](const VARIANT& v) { return SysStringLen(v.bstrVal) == 3; }},
        ExactCase{"EmptyString", Variant(u""), VT_BSTR, [](const VARIANT& v) { return SysStringLen(v.bstrVal) == 0; }},
        ExactCase{"Nothing", Variant(ObjectRef{}), VT_DISPATCH, [](const VARIANT& v) { return v.pdispVal == nullptr; }},
        ExactCase{"CellErrorNA", Variant(CellErrorValue{2042}), VT_ERROR,
                  [](const VARIANT& v) { return static_cast<uint32_t>(v.scode) == 0x800A07FAu; }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(VariantConversionTest, ANullBstrIsTheEmptyString) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = nullptr;
    EXPECT_EQ(FromComVariant(v), Variant(u""));
}

TEST(VariantConversionTest, AnyNonZeroBooleanIsTrue) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = 1;
    EXPECT_EQ(FromComVariant(v), Variant(true));
}

// COM types the core lacks: each comes back as its nearest core type.
struct NearestCase {
    const char* name;
    std::function<void(VARIANT&)> make;
    Variant expected;
};

class NearestConversionTest : public ::testing::TestWithParam<NearestCase> {};

TEST_P(NearestConversionTest, ComesBackAsTheNearestType) {
    ScopedVariant com;
    GetParam().make(com.Get());
    Variant value = FromComVariant(com.Get());
    EXPECT_EQ(value.Type(), GetParam().expected.Type());
    EXPECT_EQ(value, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Types, NearestConversionTest,
    ::testing::Values(
        NearestCase{"Byte", [](VARIANT& v) { v.vt = VT_UI1; v.bVal = 200; }, Variant(int16_t{200})},
        NearestCase{"SignedByte", [](VARIANT& v) { v.vt = VT_I1; v.cVal = -3; }, Variant(int16_t{-3})},
        NearestCase{"UnsignedShort", [](VARIANT& v) { v.vt = VT_UI2; v.uiVal = 65535; }, Variant(int32_t{65535})},
        NearestCase{"Int", [](VARIANT& v) { v.vt = VT_INT; v.intVal = -7; }, Variant(int32_t{-7})},
        NearestCase{"UnsignedLongSmall", [](VARIANT& v) { v.vt = VT_UI4; v.ulVal = 12; }, Variant(int32_t{12})},
        NearestCase{"UnsignedLongLarge", [](VARIANT& v) { v.vt = VT_UI4; v.ulVal = 4000000000u; }, Variant(4000000000.0)},
        NearestCase{"LongLong", [](VARIANT& v) { v.vt = VT_I8; v.llVal = -5000000000LL; }, Variant(-5000000000.0)},
        NearestCase{"UnsignedLongLong", [](VARIANT& v) { v.vt = VT_UI8; v.ullVal = 9; }, Variant(int32_t{9})},
        NearestCase{"Single", [](VARIANT& v) { v.vt = VT_R4; v.fltVal = 0.5f; }, Variant(0.5)},
        NearestCase{"Currency", [](VARIANT& v) { v.vt = VT_CY; v.cyVal.int64 = 12345; }, Variant(1.2345)},
        NearestCase{"ByRefLong",
                    [](VARIANT& v) {
                        static LONG target = 77;
                        v.vt = VT_I4 | VT_BYREF;
                        v.plVal = &target;
                    },
                    Variant(int32_t{77})},
        NearestCase{"OtherError", [](VARIANT& v) { v.vt = VT_ERROR; v.scode = E_FAIL; },
                    Variant(CellErrorValue{static_cast<int32_t>(E_FAIL)})}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(VariantConversionTest, AnArrayIsATypeMismatch) {
    ScopedVariant com;
    SAFEARRAYBOUND bound{2, 0};
    com.Get().parray = SafeArrayCreate(VT_VARIANT, 1, &bound);
    com.Get().vt = VT_ARRAY | VT_VARIANT;
    try {
        FromComVariant(com.Get());
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), vb_error::kTypeMismatch);
    }
}

TEST(VariantConversionTest, AnObjectGoesOverAsItsInterfaceWithOneReferenceOfItsOwn) {
    test::FakeDispatch fake;
    {
        ObjectRef object = std::make_shared<DispatchObject>(ComPtr<IDispatch>::Share(&fake));
        {
            ScopedVariant com = ToComVariant(Variant(object));
            EXPECT_EQ(com.Get().vt, VT_DISPATCH);
            EXPECT_EQ(com.Get().pdispVal, static_cast<IDispatch*>(&fake));
            EXPECT_EQ(fake.References(), 2u);
            Variant back = FromComVariant(com.Get());
            EXPECT_EQ(dynamic_cast<DispatchObject&>(*back.AsObject()).Interface(), &fake);
            EXPECT_EQ(fake.References(), 3u);
        }
        EXPECT_EQ(fake.References(), 1u);
    }
    EXPECT_EQ(fake.References(), 0u);
}

TEST(VariantConversionTest, AnUnknownThatIsNoDispatchIsATypeMismatch) {
    test::FakeEnumerator notDispatch;
    ScopedVariant com;
    test::ReturnUnknown(&com.Get(), &notDispatch);
    EXPECT_THROW(FromComVariant(com.Get()), RuntimeError);
    com = ScopedVariant();
    EXPECT_EQ(notDispatch.References(), 0u);
}

// An object of another server cannot be handed to COM.
class ForeignObject : public AutomationObject {
public:
    Variant Invoke(const Invocation&) override { return {}; }
    std::vector<Variant> Enumerate(uint32_t) override { return {}; }
};

TEST(VariantConversionTest, AForeignObjectIsATypeMismatch) {
    EXPECT_THROW(ToComVariant(Variant(ObjectRef(std::make_shared<ForeignObject>()))), RuntimeError);
}

}  // namespace
}  // namespace tabora::com
