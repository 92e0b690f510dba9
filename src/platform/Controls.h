#pragma once
// The controls the windows are written against. Every platform layer implements them and keeps
// these event rules, which the window logic relies on:
//  - assigning Text raises Change synchronously, inside the assignment, and only when the text
//    actually changes;
//  - assigning ListIndex raises Click every time, also when that entry was already selected;
//  - KeyDown carries a Windows virtual-key code (13 Enter, 16 Shift, 37-40 arrows, 8 Backspace,
//    letters as upper-case codes); a handler that sets it to 0 swallows the key;
//  - a drop hands the handler the dropped file paths in order, an empty list when it carried no
//    files;
//  - a form's first Show raises Activate and Resize.
// Positions and sizes are in twips, as single-precision values; a form's Height and Width are
// its outer size, frame included.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Event.h"

namespace tabora::platform {

class Control {
public:
    virtual ~Control() = default;
    virtual std::u16string Name() const = 0;

    virtual float Top() const = 0;
    virtual void SetTop(float twips) = 0;
    virtual float Left() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual float Width() const = 0;
    virtual void SetWidth(float twips) = 0;
    virtual float Height() const = 0;
    virtual void SetHeight(float twips) = 0;

    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

using DroppedFiles = std::vector<std::u16string>;

// Input-method modes of a text box (only "disabled" is used).
inline constexpr int32_t kImeModeNoControl = 0;
inline constexpr int32_t kImeModeDisable = 3;

class TextBox : public Control {
public:
    virtual std::u16string Text() const = 0;
    // Raises Change inside the assignment, and only when the text actually changes.
    void SetText(const std::u16string& text);
    virtual std::u16string Tag() const = 0;
    virtual void SetTag(const std::u16string& tag) = 0;
    virtual int32_t SelStart() const = 0;
    // Collapses any selection to a caret; beyond the end puts the caret at the end.
    virtual void SetSelStart(int32_t position) = 0;
    virtual int32_t SelLength() const = 0;
    virtual void SetSelLength(int32_t length) = 0;
    virtual int32_t IMEMode() const = 0;
    virtual void SetIMEMode(int32_t mode) = 0;

    Event<> Change;
    Event<> DblClick;
    Event<bool& /*cancel*/> Validate;
    Event<int16_t& /*keyCode*/, int16_t /*shift*/> KeyDown;
    Event<const DroppedFiles&> FilesDropped;

protected:
    // Puts text in the box with the caret at its start. The edit notifications this causes are
    // the assignment's, which raises Change itself.
    virtual void PutText(const std::u16string& text) = 0;
    // For the platform's edit notifications: raises Change when the text differs from the text
    // last reported (at first the text the box was created with, given here).
    void TextEdited();
    void StartReportingFrom(std::u16string text) { reportedText_ = std::move(text); }

private:
    std::u16string reportedText_;
    bool settingText_ = false;
};

class ListBox : public Control {
public:
    virtual void Clear() = 0;
    virtual void AddItem(const std::u16string& item) = 0;
    virtual int32_t ListCount() const = 0;
    virtual std::u16string List(int32_t index) const = 0;
    // -1 when no entry is selected.
    virtual int32_t ListIndex() const = 0;
    // Selects an entry, brings it into view and raises Click, also when it was selected already;
    // -1 clears the selection. An index beyond the entries raises error 5.
    void SetListIndex(int32_t index);
    // The selected entry's text; empty when none is selected.
    virtual std::u16string Text() const = 0;
    // Selects an entry (-1: none) without Click and without scrolling: the program putting the
    // user's own selection back. An index beyond the entries raises error 5.
    void SetListIndexQuietly(int32_t index);
    // The entry shown at the top; 0 when the list is empty.
    virtual int32_t TopIndex() const = 0;
    // Scrolls the entry to the top, as far as the list scrolls; an index beyond the entries
    // counts as the last one.
    virtual void SetTopIndex(int32_t index) = 0;

    Event<> Click;
    Event<> DblClick;
    Event<const DroppedFiles&> FilesDropped;

protected:
    // Selects the entry (-1: none) and brings it into view, without a Click of its own.
    virtual void SelectEntry(int32_t index) = 0;
};

class Label : public Control {
public:
    virtual std::u16string Caption() const = 0;
    virtual void SetCaption(const std::u16string& caption) = 0;
};

class Frame : public Control {
public:
    virtual std::u16string Caption() const = 0;
    virtual void SetCaption(const std::u16string& caption) = 0;
};

class PictureButton : public Control {
public:
    Event<> Click;
};

}  // namespace tabora::platform
