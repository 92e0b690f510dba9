#pragma once
// The two Qt editors behind a text box, with the text and its positions as the core counts
// them: a multi-line box separates its lines with CR LF, as a Windows text box does.

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/FormDescription.h"

namespace tabora::platform::qt {

class TextEditor {
public:
    virtual ~TextEditor() = default;
    virtual QWidget* Widget() const = 0;
    // The widget that takes the mouse and drags (a scrolling editor's viewport).
    virtual QWidget* MouseTarget() const = 0;

    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    // Positions in the core's units; Select takes them clamped to the text.
    virtual int32_t SelStart() const = 0;
    virtual int32_t SelLength() const = 0;
    virtual void Select(int32_t start, int32_t length) = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    // Called after every change of the text, by the user or by SetText.
    virtual void OnTextChanged(std::function<void()> handler) = 0;
};

std::unique_ptr<TextEditor> MakeTextEditor(const ControlDescription& d, QWidget* parent);

// Multi-line text: the core's CR LF and the editor's line breaks. Exposed for tests.
namespace crlf {
// The editor's text (paragraph or line separators, or line feeds, between lines) with CR LF
// instead.
std::u16string FromEditor(const std::u16string& editorText);
// A position in the editor's text as a position in the CR LF text, and back. A position
// between CR and LF counts as the one before the CR.
int32_t ToCorePosition(const std::u16string& editorText, int32_t editorPosition);
int32_t ToEditorPosition(const std::u16string& editorText, int32_t corePosition);
}  // namespace crlf

}  // namespace tabora::platform::qt
