#include "platform/com/VariantConversion.h"

#include <cstdint>
#include <limits>

#include "platform/RuntimeError.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/DispatchObject.h"

namespace tabora::com {

namespace {
constexpr uint32_t kCellErrorFacility = 0x800A0000u;

SCODE CellErrorScode(CellErrorValue error) {
    if (error.code >= 0 && error.code <= 0xFFFF) return static_cast<SCODE>(kCellErrorFacility | static_cast<uint32_t>(error.code));
    return error.code;
}

CellErrorValue CellErrorFromScode(SCODE scode) {
    auto bits = static_cast<uint32_t>(scode);
    if ((bits & 0xFFFF0000u) == kCellErrorFacility) return {static_cast<int32_t>(bits & 0xFFFFu)};
    return {scode};
}

Variant FromWideInteger(long long value) {
    if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()) {
        return Variant(static_cast<int32_t>(value));
    }
    return Variant(static_cast<double>(value));
}

Variant FromInterface(IUnknown* unknown) {
    if (unknown == nullptr) return Variant(ObjectRef{});
    ComPtr<IDispatch> dispatch = ComPtr<IUnknown>::Share(unknown).Query<IDispatch>(IID_IDispatch);
    if (!dispatch) throw vb_error::Raise(vb_error::kTypeMismatch);
    return Variant(ObjectRef(std::make_shared<DispatchObject>(std::move(dispatch))));
}
}  // namespace

ScopedVariant ToComVariant(const Variant& value) {
    ScopedVariant result;
    VARIANT& out = result.Get();
    switch (value.Type()) {
        case VariantType::Empty: break;
        case VariantType::Null: out.vt = VT_NULL; break;
        case VariantType::Missing:
            out.vt = VT_ERROR;
            out.scode = DISP_E_PARAMNOTFOUND;
            break;
        case VariantType::Boolean:
            out.vt = VT_BOOL;
            out.boolVal = value.AsBoolean() ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VariantType::Integer:
            out.vt = VT_I2;
            out.iVal = value.AsInteger();
            break;
        case VariantType::Long:
            out.vt = VT_I4;
            out.lVal = value.AsLong();
            break;
        case VariantType::Double:
            out.vt = VT_R8;
            out.dblVal = value.AsDouble();
            break;
        case VariantType::Date:
            out.vt = VT_DATE;
            out.date = value.AsDate().serial;
            break;
        case VariantType::String:
            out.bstrVal = Bstr(value.AsString()).Detach();
            out.vt = VT_BSTR;
            break;
        case VariantType::Object: {
            out.vt = VT_DISPATCH;
            out.pdispVal = nullptr;
            if (value == Variant(ObjectRef{})) break;  // Nothing is a valid argument
            auto* dispatch = dynamic_cast<DispatchObject*>(value.AsObject().get());
            if (dispatch == nullptr) throw vb_error::Raise(vb_error::kTypeMismatch);
            out.pdispVal = ComPtr<IDispatch>::Share(dispatch->Interface()).Detach();
            break;
        }
        case VariantType::Error:
            out.vt = VT_ERROR;
            out.scode = CellErrorScode(value.AsCellError());
            break;
    }
    return result;
}

Variant FromComVariant(const VARIANT& value) {
    // VariantCopyInd and VariantChangeType only read their source, whatever their signatures say.
    if ((value.vt & VT_BYREF) != 0) {
        ScopedVariant direct;
        ThrowIfFailed(VariantCopyInd(direct.Receive(), const_cast<VARIANT*>(&value)));
        return FromComVariant(direct.Get());
    }
    switch (value.vt) {
        case VT_EMPTY: return Variant();
        case VT_NULL: return Variant::Null();
        case VT_BOOL: return Variant(value.boolVal != VARIANT_FALSE);
        case VT_I2: return Variant(static_cast<int16_t>(value.iVal));
        case VT_I4: return Variant(static_cast<int32_t>(value.lVal));
        case VT_R8: return Variant(value.dblVal);
        case VT_DATE: return Variant(DateValue{value.date});
        case VT_BSTR: return Variant(ToU16String(value.bstrVal));
        case VT_DISPATCH: return FromInterface(value.pdispVal);
        case VT_UNKNOWN: return FromInterface(value.punkVal);
        case VT_ERROR:
            if (value.scode == DISP_E_PARAMNOTFOUND) return Variant::Missing();
            return Variant(CellErrorFromScode(value.scode));
        case VT_I1: return Variant(static_cast<int16_t>(value.cVal));
        case VT_UI1: return Variant(static_cast<int16_t>(value.bVal));
        case VT_UI2: return Variant(static_cast<int32_t>(value.uiVal));
        case VT_INT: return Variant(static_cast<int32_t>(value.intVal));
        case VT_UI4: return FromWideInteger(value.ulVal);
        case VT_UINT: return FromWideInteger(value.uintVal);
        case VT_I8: return FromWideInteger(value.llVal);
        case VT_UI8:
            if (value.ullVal <= static_cast<unsigned long long>(std::numeric_limits<int32_t>::max())) {
                return Variant(static_cast<int32_t>(value.ullVal));
            }
            return Variant(static_cast<double>(value.ullVal));
        case VT_R4: return Variant(static_cast<double>(value.fltVal));
        case VT_CY:
        case VT_DECIMAL: {
            ScopedVariant number;
            ThrowIfFailed(VariantChangeType(number.Receive(), const_cast<VARIANT*>(&value), 0, VT_R8));
            return Variant(number.Get().dblVal);
        }
        default: throw vb_error::Raise(vb_error::kTypeMismatch);
    }
}

}  // namespace tabora::com
