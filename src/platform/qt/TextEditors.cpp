#include "platform/qt/TextEditors.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <limits>

#include "app/ErrorTrap.h"
#include "platform/qt/QtStrings.h"

namespace tabora::platform::qt {

namespace crlf {
namespace {
// Enter makes a paragraph separator, Shift+Enter a line separator (U+2028): both break the
// line, as both Enters do in a Windows box.
bool IsLineBreak(char16_t c) { return c == u'\n' || c == char16_t{0x2029} || c == char16_t{0x2028}; }
}  // namespace

std::u16string FromEditor(const std::u16string& editorText) {
    std::u16string text;
    text.reserve(editorText.size() + editorText.size() / 8);
    for (const char16_t c : editorText) {
        if (IsLineBreak(c)) {
            text += u"\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

int32_t ToCorePosition(const std::u16string& editorText, int32_t editorPosition) {
    const auto end =
        static_cast<size_t>(std::clamp<int32_t>(editorPosition, 0, static_cast<int32_t>(editorText.size())));
    const auto breaks =
        std::count_if(editorText.begin(), editorText.begin() + static_cast<std::ptrdiff_t>(end), IsLineBreak);
    return static_cast<int32_t>(end + static_cast<size_t>(breaks));
}

int32_t ToEditorPosition(const std::u16string& editorText, int32_t corePosition) {
    int32_t core = 0;
    for (size_t i = 0; i < editorText.size(); ++i) {
        const int32_t width = IsLineBreak(editorText[i]) ? 2 : 1;
        if (core + width > corePosition) return static_cast<int32_t>(i);
        core += width;
    }
    return static_cast<int32_t>(editorText.size());
}
}  // namespace crlf

namespace {

class LineEditor : public TextEditor {
public:
    explicit LineEditor(QWidget* parent) : edit_(new QLineEdit(parent)) {
        // A Windows text box takes any length; QLineEdit stops at 32767 by default.
        edit_->setMaxLength(std::numeric_limits<int>::max());
    }
    QWidget* Widget() const override { return edit_; }
    QWidget* MouseTarget() const override { return edit_; }

    std::u16string Text() const override { return ToU16(edit_->text()); }
    void SetText(const std::u16string& text) override { edit_->setText(ToQString(text)); }
    int32_t SelStart() const override {
        return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
    }
    int32_t SelLength() const override { return edit_->selectionLength(); }
    void Select(int32_t start, int32_t length) override {
        if (length == 0) {
            edit_->setCursorPosition(start);
        } else {
            edit_->setSelection(start, length);
        }
    }
    void SetReadOnly(bool readOnly) override { edit_->setReadOnly(readOnly); }
    void OnTextChanged(std::function<void()> handler) override {
        QObject::connect(edit_, &QLineEdit::textChanged, &context_,
                         [handler = std::move(handler)] { ReportErrorsAtEventBoundary(handler); });
    }

private:
    QLineEdit* edit_;
    QObject context_;  // ends the connection with the editor object
};

class MultiLineEditor : public TextEditor {
public:
    MultiLineEditor(QWidget* parent, bool verticalScrollBar) : edit_(new QPlainTextEdit(parent)) {
        edit_->setVerticalScrollBarPolicy(verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        // Tab moves on to the next control, as in a Windows multi-line box.
        edit_->setTabChangesFocus(true);
        edit_->document()->setDocumentMargin(2);
    }
    QWidget* Widget() const override { return edit_; }
    QWidget* MouseTarget() const override { return edit_->viewport(); }

    std::u16string Text() const override { return crlf::FromEditor(EditorText()); }
    // QTextDocument makes one line break of CR LF, CR or LF.
    void SetText(const std::u16string& text) override { edit_->setPlainText(ToQString(text)); }
    int32_t SelStart() const override {
        return crlf::ToCorePosition(EditorText(), edit_->textCursor().selectionStart());
    }
    int32_t SelLength() const override {
        const std::u16string text = EditorText();
        const QTextCursor cursor = edit_->textCursor();
        return crlf::ToCorePosition(text, cursor.selectionEnd()) -
               crlf::ToCorePosition(text, cursor.selectionStart());
    }
    void Select(int32_t start, int32_t length) override {
        const std::u16string text = EditorText();
        QTextCursor cursor = edit_->textCursor();
        cursor.setPosition(crlf::ToEditorPosition(text, start));
        if (length > 0)
            cursor.setPosition(crlf::ToEditorPosition(text, start + length), QTextCursor::KeepAnchor);
        edit_->setTextCursor(cursor);
    }
    void SetReadOnly(bool readOnly) override { edit_->setReadOnly(readOnly); }
    void OnTextChanged(std::function<void()> handler) override {
        QObject::connect(edit_, &QPlainTextEdit::textChanged, &context_,
                         [handler = std::move(handler)] { ReportErrorsAtEventBoundary(handler); });
    }

private:
    // The document's own characters: no formatting, paragraph separators between lines and line
    // separators within them.
    std::u16string EditorText() const { return ToU16(edit_->document()->toRawText()); }

    QPlainTextEdit* edit_;
    QObject context_;
};

}  // namespace

std::unique_ptr<TextEditor> MakeTextEditor(const ControlDescription& d, QWidget* parent) {
    std::unique_ptr<TextEditor> editor;
    if (d.multiLine) {
        editor = std::make_unique<MultiLineEditor>(parent, d.scrollBars == ScrollBars::Vertical);
    } else {
        editor = std::make_unique<LineEditor>(parent);
    }
    editor->SetReadOnly(d.readOnly);
    editor->SetText(d.caption);
    return editor;
}

}  // namespace tabora::platform::qt
