#include "platform/RuntimeError.h"

#include <new>

namespace tabora::vb_error {

std::u16string Description(int32_t number) {
    switch (number) {
        case kInvalidProcedureCall: return u"プロシージャの呼び出し、または引数が不正です。";
        case kOverflow: return u"オーバーフローしました。";
        case kOutOfMemory: return u"メモリが不足しています。";
        case kSubscriptOutOfRange: return u"インデックスが有効範囲にありません。";
        case kTypeMismatch: return u"型が一致しません。";
        case kBadFileNameOrNumber: return u"ファイル名または番号が不正です。";
        case kFileNotFound: return u"ファイルが見つかりません。";
        case kDeviceIoError: return u"デバイス I/O エラーです。";
        case kPermissionDenied: return u"書き込みできません。";
        case kPathNotFound: return u"パスが見つかりません。";
        case kObjectNotSet: return u"オブジェクト変数または With ブロック変数が設定されていません。";
        case kObjectRequired: return u"オブジェクトが必要です。";
        case kCannotCreateObject: return u"ActiveX コンポーネントはオブジェクトを作成できません。";
        case kNoAutomationInterface:
            return u"クラスはオートメーションまたは予期されたインターフェイスをサポートしていません。";
        case kMemberNotFound: return u"オブジェクトは、このプロパティまたはメソッドをサポートしていません。";
        case kActionNotSupported: return u"オブジェクトはこの動作をサポートしていません。";
        case kNamedArgumentNotFound: return u"名前付き引数が見つかりません。";
        case kArgumentNotOptional: return u"引数は省略できません。";
        case kWrongArgumentCount: return u"引数の数が一致していません。または不正なプロパティを指定しています。";
        case kServerUnavailable: return u"リモート サーバー マシンが存在しないか、使用できません。";
        case kApplicationDefined: return u"アプリケーション定義またはオブジェクト定義のエラーです。";
        case kObjectDisconnected: return u"オートメーション エラーです。\n起動されたオブジェクトはクライアントから切断されました。";
        default: return {};
    }
}

ErrorRecord CurrentError() {
    try {
        throw;
    } catch (const RuntimeError& error) {
        return error.Record();
    } catch (const std::bad_alloc&) {
        return Raise(kOutOfMemory).Record();
    } catch (...) {
        return Raise(kInvalidProcedureCall).Record();
    }
}

}  // namespace tabora::vb_error
