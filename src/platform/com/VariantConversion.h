#pragma once
// Core variants to COM VARIANTs and back, each type kept exact where both sides have it.
//
// Integer is VT_I2, Long VT_I4, String VT_BSTR, Date VT_DATE, Missing VT_ERROR with
// DISP_E_PARAMNOTFOUND (an omitted optional argument), a cell error VT_ERROR with its code in
// the automation facility (#N/A, 2042, is 0x800A07FA). Object is VT_DISPATCH.
//
// COM types the core has no type for come back as the nearest one: the small integer types as
// Integer or Long, Single, Currency and Decimal as Double, 64-bit integers as Long when they
// fit and as Double otherwise. Arrays raise a type mismatch (13).

#include "excel/Variant.h"
#include "platform/com/ScopedVariant.h"

namespace tabora::com {

// The VARIANT for an argument; an object must be one this layer handed out (or none).
ScopedVariant ToComVariant(const Variant& value);

// The core's value for a VARIANT (by reference ones are read through). Interfaces are
// referenced by the result; value itself is left as it is.
Variant FromComVariant(const VARIANT& value);

}  // namespace tabora::com
