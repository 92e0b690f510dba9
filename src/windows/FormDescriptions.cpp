// The two windows as data. The sheet list window is a narrow, tall panel beside the spreadsheet.
#include "windows/FormDescriptions.h"

namespace tabora::windows {

using platform::Color;
using platform::ControlKind;
using platform::DescribeControl;

namespace {
constexpr Color kLightBlue{192, 192, 255};
}  // namespace

platform::FormDescription Frm_TestDescription() {
    platform::FormDescription form;
    form.name = u"Frm_Test";
    form.caption = u"Excelのｼｰﾄ名一覧";
    form.clientWidth = 3165;
    form.clientHeight = 6930;
    form.backColor = kLightBlue;
    form.font = {u"ＭＳ ゴシック", 9, platform::kCharsetShiftJis};
    form.border = platform::BorderStyle::Sizable;
    form.minButton = true;
    form.maxButton = false;
    form.icon = picture::kAppIcon;

    auto fraFile = DescribeControl(u"Fra_File", ControlKind::Frame, 0, 30, 3165, 585, 6);
    fraFile.caption = u"操作するExcelFile ";
    fraFile.accessibleName = u"操作するExcelFile";  // without the blank that only spaces the caption
    fraFile.backColor = kLightBlue;

    auto txtPath = DescribeControl(u"Txt_Path", ControlKind::TextBox, 120, 210, 2265, 300, 0, u"Fra_File");
    txtPath.toolTip = u"操作対象のExcelファイルを指定してください。ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟしてもOKです。";
    txtPath.acceptsDroppedFiles = true;
    txtPath.accessibleName = fraFile.accessibleName;

    auto cmdFind =
        DescribeControl(u"Cmd_決定ファイル", ControlKind::PictureButton, 2370, 180, 345, 330, 1, u"Fra_File");
    cmdFind.picture = picture::kMagnifier;
    cmdFind.toolTip = u"操作するExcelファイルを検索します。";
    cmdFind.accessibleName = u"ファイルを選択";

    auto cmdGet =
        DescribeControl(u"Cmd_Get", ControlKind::PictureButton, 2730, 180, 345, 330, 2, u"Fra_File");
    cmdGet.picture = picture::kSpreadsheet;
    cmdGet.toolTip = u"指定されたExcelﾌｧｲﾙを開きます。";
    cmdGet.accessibleName = u"ファイルを開く";

    auto fraSheet = DescribeControl(u"Fra_Sheet", ControlKind::Frame, 0, 630, 3165, 6285, 7);
    fraSheet.caption = u"ｼｰﾄ名";
    fraSheet.backColor = kLightBlue;

    // Lies behind the list: "Now Loading" shows only while the list is hidden for filling.
    auto lblTitle = DescribeControl(u"Lbl_Title", ControlKind::Label, 840, 2640, 1455, 255, 8, u"Fra_Sheet");
    lblTitle.caption = u"Now Loading";
    lblTitle.transparent = true;
    lblTitle.coveredBy = u"Lst_Item";

    auto txtSheetName =
        DescribeControl(u"Txt_SheetName", ControlKind::TextBox, 120, 210, 2295, 300, 3, u"Fra_Sheet");
    txtSheetName.toolTip = u"シート名を一覧から選択するか、入力してください。";
    txtSheetName.acceptsDroppedFiles = true;
    txtSheetName.accessibleName = fraSheet.caption;

    auto cmdChange =
        DescribeControl(u"Cmd_Change", ControlKind::PictureButton, 2400, 210, 345, 315, 4, u"Fra_Sheet");
    cmdChange.picture = picture::kGreenArrow;
    cmdChange.toolTip = u"選択されたシートを表示します。";
    cmdChange.enabled = false;
    cmdChange.accessibleName = u"シートを表示";

    // Reached by Tab right after Cmd_Change, beside which it stands.
    auto cmdOpen =
        DescribeControl(u"Cmd_Open", ControlKind::PictureButton, 2730, 210, 345, 315, 5, u"Fra_Sheet");
    cmdOpen.picture = picture::kFolderDocuments;
    cmdOpen.toolTip = u"選択されたシートを表示します。";
    cmdOpen.enabled = false;
    cmdOpen.accessibleName = u"シート増加画面を開く";

    auto lstItem = DescribeControl(u"Lst_Item", ControlKind::ListBox, 120, 1170, 2955, 5640, 9);
    lstItem.toolTip = u"Excelファイルをﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟすると、そのファイルを開きます。";
    lstItem.acceptsDroppedFiles = true;
    lstItem.accessibleName = u"シート一覧";

    form.controls = {fraFile,  txtPath,      cmdFind,   cmdGet,  fraSheet,
                     lblTitle, txtSheetName, cmdChange, cmdOpen, lstItem};
    return form;
}

platform::FormDescription Frm_MoreDescription() {
    platform::FormDescription form;
    form.name = u"Frm_More";
    form.caption = u"Sheet増加";
    form.clientWidth = 3135;
    form.clientHeight = 4095;
    form.backColor = kLightBlue;
    form.font = {u"ＭＳ ゴシック", 9, platform::kCharsetShiftJis};
    form.border = platform::BorderStyle::FixedToolWindow;
    form.minButton = false;
    form.maxButton = false;
    form.showInTaskbar = false;
    form.startPosition = platform::StartPosition::CenterOwner;

    auto frame1 = DescribeControl(u"Frame1", ControlKind::Frame, 0, 0, 3135, 4095, 3);
    frame1.backColor = kLightBlue;

    auto lblBgColor = DescribeControl(u"Lbl_BGColor", ControlKind::Label, 90, 0, 1860, 300, 4, u"Frame1");
    lblBgColor.backColor = Color{128, 128, 255};
    lblBgColor.decorative = true;

    auto lblSpecialTitle =
        DescribeControl(u"Lbl_SpecialTitle", ControlKind::Label, 210, 60, 1725, 255, 5, u"Frame1");
    lblSpecialTitle.caption = u"指定の名前でコピー";
    lblSpecialTitle.foreColor = Color{255, 255, 255};
    lblSpecialTitle.transparent = true;
    lblSpecialTitle.toolTip = u"ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟででも設定できます。";
    // The frame that holds the whole dialog is the group the title names.
    frame1.accessibleName = lblSpecialTitle.caption;

    auto txtSheetName =
        DescribeControl(u"Txt_SheetName", ControlKind::TextBox, 120, 390, 2565, 300, 2, u"Frame1");
    txtSheetName.readOnly = true;
    txtSheetName.backColor = kLightBlue;
    txtSheetName.toolTip = u"シート名を一覧から選択するか、入力してください。";
    txtSheetName.accessibleName = u"コピー元のシート名";

    auto cmdCopy =
        DescribeControl(u"Cmd_Copy", ControlKind::PictureButton, 2670, 390, 345, 315, 1, u"Frame1");
    cmdCopy.picture = picture::kCopySheet;
    cmdCopy.toolTip = u"選択されたシートを表示します。";
    cmdCopy.enabled = false;
    cmdCopy.accessibleName = u"シートをコピー";

    // Covered by the names box; never changed.
    auto lblTitle = DescribeControl(u"Lbl_Title", ControlKind::Label, 840, 2640, 1455, 255, 6, u"Frame1");
    lblTitle.caption = u"Now Loading";
    lblTitle.font = platform::FontSpec{u"ＭＳ Ｐゴシック", 9, platform::kCharsetShiftJis};
    lblTitle.transparent = true;
    lblTitle.coveredBy = u"Txt_NewSheets";

    auto txtNewSheets =
        DescribeControl(u"Txt_NewSheets", ControlKind::TextBox, 120, 690, 2895, 3180, 0, u"Frame1");
    txtNewSheets.multiLine = true;
    txtNewSheets.scrollBars = platform::ScrollBars::Vertical;
    txtNewSheets.accessibleName = u"新しいシート名";

    form.controls = {frame1, lblBgColor, lblSpecialTitle, txtSheetName, cmdCopy, lblTitle, txtNewSheets};
    return form;
}

}  // namespace tabora::windows
