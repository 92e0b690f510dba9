// The sheet list window: creation, first positioning, loading workbooks and closing.
#include "windows/Frm_Test.h"

#include <cmath>

#include "app/ErrorTrap.h"
#include "excel/Conversions.h"
#include "platform/Version.h"
#include "windows/FormDescriptions.h"

namespace tabora::windows {

namespace {
constexpr char16_t kFileFilter[] = u"Excelファイル (*.xls), *.xls";
constexpr char16_t kFileDialogTitle[] = u"Excelファイル";
constexpr int32_t kNoFilesDropped = 461;  // Basic's "format does not match the data"
}  // namespace

Frm_Test::Frm_Test(WindowServices services)
    : services_(services),
      form_(services.forms.Create(Frm_TestDescription())),
      Txt_Path(form_->TextBoxNamed(u"Txt_Path")),
      Txt_SheetName(form_->TextBoxNamed(u"Txt_SheetName")),
      Lst_Item(form_->ListBoxNamed(u"Lst_Item")),
      Cmd_決定ファイル(form_->PictureButtonNamed(u"Cmd_決定ファイル")),
      Cmd_Get(form_->PictureButtonNamed(u"Cmd_Get")),
      Cmd_Change(form_->PictureButtonNamed(u"Cmd_Change")),
      Cmd_Open(form_->PictureButtonNamed(u"Cmd_Open")),
      Fra_File(form_->FrameNamed(u"Fra_File")),
      Fra_Sheet(form_->FrameNamed(u"Fra_Sheet")) {
    ConnectEvents();
    form_->Load();
}

Frm_Test::~Frm_Test() {
    connections_.clear();
    if (form_->IsLoaded()) form_->Unload();
}

void Frm_Test::ConnectEvents() {
    auto on = [this](auto& event, auto handler) {
        connections_.push_back(form_->ConnectHandler(event, [this, handler](auto&&... args) {
            const Operation running(*this);
            handler(std::forward<decltype(args)>(args)...);
        }));
    };
    // Not operations: the looks at the workbook, taken while the window is idle.
    connections_.push_back(form_->ConnectHandler(form_->WindowActivated, [this] { UpdateSheetList(); }));
    connections_.push_back(form_->ConnectHandler(sheetsChanged_, [this] { UpdateSheetList(); }));
    on(form_->LoadEvent, [this] { ShowErrorsOf([this] { Form_Load(); }); });
    on(form_->Activate, [this] { ShowErrorsOf([this] { Form_Activate(); }); });
    on(form_->Resize, [this] { Form_Resize(); });
    on(form_->UnloadEvent, [this] { ShowErrorsOf([this] { Form_Unload(); }); });
    on(Cmd_決定ファイル.Click, [this] { ShowErrorsOf([this] { Cmd_決定ファイル_Click(); }); });
    on(Cmd_Get.Click, [this] { Cmd_Get_Click(); });
    on(Txt_Path.FilesDropped, [this](const platform::DroppedFiles& data) { Txt_Path_OLEDragDrop(data); });
    on(Lst_Item.FilesDropped, [this](const platform::DroppedFiles& data) { Lst_Item_OLEDragDrop(data); });
    on(Txt_SheetName.FilesDropped, [this](const platform::DroppedFiles& data) { Txt_SheetName_OLEDragDrop(data); });
    on(Lst_Item.Click, [this] { Lst_Item_Click(); });
    on(Lst_Item.DblClick, [this] { Lst_Item_DblClick(); });
    on(Cmd_Change.Click, [this] { Cmd_Change_Click(); });
    on(Txt_SheetName.KeyDown, [this](int16_t& keyCode, int16_t shift) { Txt_SheetName_KeyDown(keyCode, shift); });
    on(Cmd_Open.Click, [this] { Cmd_Open_Click(); });
}

void Frm_Test::Form_Load() {
    blnM_FirstActivate = true;
    using namespace platform::version;
    form_->SetCaption(Frm_TestDescription().caption + u" ver" + conversions::DecimalText(kMajor) + u"." +
                      conversions::DecimalText(kMinor) + u"." + conversions::DecimalText(kRevision));
    InitLayout();
    lngM_ListGap = static_cast<int32_t>(std::nearbyint(Fra_Sheet.Height() - Lst_Item.Height()));
}

void Frm_Test::Form_Activate() {
    if (!blnM_FirstActivate) return;
    blnM_FirstActivate = false;
    PositionWindow();
}

void Frm_Test::PositionWindow() {
    form_->SetTop(0);
    form_->SetLeft(0);
}

void Frm_Test::Form_Unload() {
    typM_ResizeTable.clear();
    StopFollowing();
    clsM_ExcelBook.reset();
}

void Frm_Test::Cmd_決定ファイル_Click() {
    const Variant answer = services_.excel.GlobalApplication()->Call(
        u"GetOpenFilename", {kFileFilter, Variant::Missing(), kFileDialogTitle, Variant::Missing(), false});
    const std::u16string path = conversions::ValueToText(answer);
    if (!path.empty() && path != u"False") Txt_Path.SetText(path);
}

void Frm_Test::Cmd_Get_Click() {
    CloseWorkbook();
    OpenWorkbook();
}

// Each call into the server holds its own reference to the wrapper: while the call waits, other
// events run, and one of them may replace the window's wrapper with the next load's.
bool Frm_Test::CloseWorkbook() {
    return ShowErrorsOf([this] {
        // Held for the call: the application may ask whether to save the workbook, and the
        // window's events run while it does.
        const std::shared_ptr<Cls_ExcelCreate> book = clsM_ExcelBook;
        // A False result (a question cancelled) leaves the workbook open with its changes in its
        // instance, which is the user's from now on; the next load goes on in a new one.
        if (book) book->FileClose();
    });
}

bool Frm_Test::OpenWorkbook() {
    bool listed = false;
    const bool trappedNothing = ShowErrorsOf([this, &listed] {
        const std::u16string path = Txt_Path.Text();
        if (path.empty()) return;
        // The listed workbook is being replaced: whatever this load gives, the list no longer
        // follows it.
        StopFollowing();
        const auto book = std::make_shared<Cls_ExcelCreate>(services_.excel);
        clsM_ExcelBook = book;
        book->MsgDisplayFlg_Prop(false);
        // A load started while this one waited has taken the window over: the list is its.
        const auto current = [&] { return clsM_ExcelBook == book; };
        if (!book->FileOpen(path, u"") || !current()) return;
        if (!book->Show() || !current()) return;
        if (!book->SetSheetNames(Lst_Item) || !current()) return;
        FollowSheetsOf(book);
        Cmd_Change.SetEnabled(true);
        Cmd_Open.SetEnabled(true);
        listed = true;
    });
    return trappedNothing && listed;
}

void Frm_Test::Txt_Path_OLEDragDrop(const platform::DroppedFiles& Data) { DropFile(Data, Txt_Path); }
void Frm_Test::Lst_Item_OLEDragDrop(const platform::DroppedFiles& Data) { DropFile(Data, Txt_Path); }
void Frm_Test::Txt_SheetName_OLEDragDrop(const platform::DroppedFiles& Data) { DropFile(Data, Txt_Path); }

bool Frm_Test::DropFile(const platform::DroppedFiles& Data, platform::TextBox& TxtA_Target) {
    return ShowErrorsOf([&] {
        if (Data.empty()) {
            throw RuntimeError(kNoFilesDropped, u"指定された形式はデータの形式と一致しません。", vb_error::kSource);
        }
        const std::u16string& firstFile = Data.front();
        if (!IsXlsFile(firstFile)) return;
        TxtA_Target.SetText(firstFile);
        Cmd_Get_Click();
    });
}

bool Frm_Test::IsXlsFile(const std::u16string& strA_Path) {
    std::u16string ending = strA_Path.size() > 4 ? strA_Path.substr(strA_Path.size() - 4) : strA_Path;
    for (char16_t& c : ending)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return ending == u".xls";
}

}  // namespace tabora::windows
