#include "platform/calc/CalcError.h"

namespace tabora::calc {
namespace {

std::u16string StandardDescription(int32_t number) {
    switch (number) {
        case kErrSubscriptOutOfRange: return u"インデックスが有効範囲にありません。";
        case kErrTypeMismatch: return u"型が一致しません。";
        case kErrObjectRequired: return u"オブジェクトが必要です。";
        case kErrCannotCreate: return u"ActiveX コンポーネントはオブジェクトを作成できません。";
        case kErrMemberNotFound: return u"オブジェクトは、このプロパティまたはメソッドをサポートしていません。";
        case kErrWrongArguments: return u"引数の数が一致していません。または不正なプロパティを指定しています。";
        case kErrServerUnavailable: return u"リモート サーバー マシンが存在しないか、使用できません。";
        case kErrRefused: return u"アプリケーション定義またはオブジェクト定義のエラーです。";
        default: return {};
    }
}

}  // namespace

RuntimeError CalcFailure(int32_t number, std::u16string detail) {
    std::u16string description = StandardDescription(number);
    if (!detail.empty()) description = description.empty() ? detail : description + u" " + detail;
    return RuntimeError(number, std::move(description), kCalcSource);
}

}  // namespace tabora::calc
