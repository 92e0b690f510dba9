#include "excel/SaveChangesQuestion.h"

namespace tabora::excel {

std::u16string SaveChangesQuestion(std::u16string_view workbookName) {
    return u"'" + std::u16string(workbookName) + u"' への変更を保存しますか?";
}

}  // namespace tabora::excel
