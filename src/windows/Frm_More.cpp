#include "windows/Frm_More.h"

#include "app/ErrorTrap.h"
#include "platform/MessageBoxService.h"
#include "text/Cls_CSVSeparater.h"
#include "text/CrLfLineEnds.h"
#include "windows/FormDescriptions.h"

namespace tabora::windows {

namespace {
using namespace platform::mb;
}

Frm_More::Frm_More(platform::FormFactory& forms)
    : form_(forms.Create(Frm_MoreDescription())),
      Txt_SheetName(form_->TextBoxNamed(u"Txt_SheetName")),
      Cmd_Copy(form_->PictureButtonNamed(u"Cmd_Copy")),
      Txt_NewSheets(form_->TextBoxNamed(u"Txt_NewSheets")) {
    connections_.push_back(form_->ConnectHandler(Cmd_Copy.Click, [this] { Cmd_Copy_Click(); }));
    form_->Load();
}

Frm_More::~Frm_More() {
    connections_.clear();
    if (form_->IsLoaded()) form_->Unload();
}

void Frm_More::Cmd_Copy_Click() {
    if (CopySheets()) form_->Unload();
}

bool Frm_More::CopySheets() {
    bool completed = false;
    ShowErrorsOf([this, &completed] {
        if (!mdl_ErrorFunction::ConfirmMessage(kYesNo + kQuestion, u"以下のSheetを作成しますか？", u"開始の合図")) {
            return;
        }
        Cls_CSVSeparater reader;
        reader.SetSeparateMode_CSV();
        // Pasted names may end their lines with a bare LF or CR, or U+2028 or U+2029; the reader
        // cuts only at CR LF.
        reader.SetBaseData(text::WithCrLfLineEnds(Txt_NewSheets.Text()));
        if (!reader.MoveFirst()) return;
        const std::u16string baseName = Txt_SheetName.Text();
        const std::shared_ptr<Cls_ExcelCreate> book = clsM_Excel;
        if (book == nullptr) throw vb_error::Raise(vb_error::kObjectNotSet);
        do {
            const std::u16string newName = reader.GetItem(0);
            if (!book->SheetCopy(baseName, newName)) {
                // A copy that failed is not "all done": say which line, and keep the names.
                mdl_ErrorFunction::ShowMessage(kOkOnly + kExclamation, u"シートを作成できませんでした。\r" + newName,
                                               u"Error");
                return;
            }
        } while (reader.MoveNext());
        mdl_ErrorFunction::ShowMessage(kOkOnly + kInformation, u"全て完了しました。", u"終了の合図");
        completed = true;
    });
    return completed;
}

}  // namespace tabora::windows
