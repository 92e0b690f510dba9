#pragma once
// The form the shared behavioural cases run on: one control of every kind, and a second text
// box for the focus to move to.

#include "platform/FormDescription.h"

namespace tabora::test {

inline platform::FormDescription BehaviourFormDescription() {
    using platform::ControlDescription;
    using platform::DescribeControl;
    using platform::ControlKind;
    platform::FormDescription form;
    form.name = u"Frm_Behaviour";
    form.caption = u"振る舞い";
    form.clientWidth = 4500;
    form.clientHeight = 6000;
    form.backColor = {192, 192, 255};
    form.font = {u"ＭＳ ゴシック", 9, platform::kCharsetShiftJis};

    auto one = DescribeControl(u"Txt_One", ControlKind::TextBox, 120, 120, 2400, 300, 0);
    one.acceptsDroppedFiles = true;
    auto two = DescribeControl(u"Txt_Two", ControlKind::TextBox, 120, 540, 2400, 300, 1);
    auto lines = DescribeControl(u"Txt_Lines", ControlKind::TextBox, 120, 960, 2400, 1200, 2);
    lines.multiLine = true;
    lines.scrollBars = platform::ScrollBars::Vertical;
    auto items = DescribeControl(u"Lst_Items", ControlKind::ListBox, 120, 2280, 2400, 1500, 3);
    items.acceptsDroppedFiles = true;
    auto go = DescribeControl(u"Cmd_Go", ControlKind::PictureButton, 2640, 120, 345, 330, 4);
    go.picture = u"green_arrow";
    auto off = DescribeControl(u"Cmd_Off", ControlKind::PictureButton, 3060, 120, 345, 330, 5);
    off.picture = u"magnifier";
    off.enabled = false;
    auto box = DescribeControl(u"Fra_Box", ControlKind::Frame, 120, 3900, 4200, 1500, 6);
    box.caption = u"枠";
    auto note = DescribeControl(u"Lbl_Note", ControlKind::Label, 120, 300, 3000, 255, 7);
    note.container = u"Fra_Box";
    note.caption = u"ﾒﾓ";
    form.controls = {one, two, lines, items, go, off, box, note};
    return form;
}

}  // namespace tabora::test
