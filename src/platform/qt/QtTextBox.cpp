#include "platform/qt/QtTextBox.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

#include "platform/qt/KeyCodes.h"

namespace tabora::platform::qt {

namespace {
constexpr int16_t kProcessKey = 229;
}  // namespace

QtTextBox::QtTextBox(const ControlDescription& d, QWidget* parent)
    : QtTextBox(d, MakeTextEditor(d, parent)) {}

QtTextBox::QtTextBox(const ControlDescription& d, std::unique_ptr<TextEditor> editor)
    : QtControl(d, editor->Widget()),
      editor_(std::move(editor)),
      readOnly_(d.readOnly),
      editorFilter_([this](QObject*, QEvent* event) { return OnEditorEvent(event); }),
      validation_(editor_->Widget(), [this] { return RaiseValidate(); }) {
    editorFilter_.Watch(editor_->Widget());
    if (editor_->MouseTarget() != editor_->Widget()) editorFilter_.Watch(editor_->MouseTarget());
    StartReportingFrom(editor_->Text());
    editor_->OnTextChanged([this] { TextEdited(); });
    if (d.acceptsDroppedFiles) {
        drops_ = std::make_unique<FileDropTarget>(
            editor_->MouseTarget(), [this](const DroppedFiles& files) { FilesDropped.Raise(files); });
    } else {
        editor_->Widget()->setAcceptDrops(false);
        editor_->MouseTarget()->setAcceptDrops(false);
    }
    if (d.backColor) {
        QPalette palette = editor_->Widget()->palette();
        palette.setColor(QPalette::Base, QColor(d.backColor->red, d.backColor->green, d.backColor->blue));
        editor_->Widget()->setPalette(palette);
    }
    if (d.foreColor) {
        QPalette palette = editor_->Widget()->palette();
        palette.setColor(QPalette::Text, QColor(d.foreColor->red, d.foreColor->green, d.foreColor->blue));
        editor_->Widget()->setPalette(palette);
    }
}

void QtTextBox::PutText(const std::u16string& text) {
    // As a Windows text box: the caret goes to the start; Change then sees the text and the
    // caret as they will stay.
    editor_->SetText(text);
    editor_->Select(0, 0);
}

void QtTextBox::SetSelStart(int32_t position) {
    editor_->Select(std::clamp(position, 0, static_cast<int32_t>(editor_->Text().size())), 0);
}

void QtTextBox::SetSelLength(int32_t length) {
    const int32_t start = editor_->SelStart();
    editor_->Select(start, std::clamp(length, 0, static_cast<int32_t>(editor_->Text().size()) - start));
}

void QtTextBox::SetIMEMode(int32_t mode) {
    imeMode_ = mode;
    QWidget* widget = editor_->Widget();
    widget->setAttribute(Qt::WA_InputMethodEnabled, mode != kImeModeDisable && !readOnly_);
    if (widget->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

// The input method asks whether the box takes part; editors answer from their own state, so
// the box answers for them while its input method is off.
bool QtTextBox::AnswerWithoutInputMethod(QEvent* event) {
    auto* query = static_cast<QInputMethodQueryEvent*>(event);
    const auto queries = static_cast<unsigned>(query->queries().toInt());
    for (unsigned bit = 0; bit < 32; ++bit) {
        if ((queries & (1u << bit)) == 0) continue;
        const auto q = static_cast<Qt::InputMethodQuery>(1u << bit);
        query->setValue(q, q == Qt::ImEnabled ? QVariant(false) : editor_->Widget()->inputMethodQuery(q));
    }
    query->accept();
    return true;
}

bool QtTextBox::RaiseValidate() {
    bool cancel = false;
    Validate.Raise(cancel);
    return !cancel;
}

bool QtTextBox::OnEditorEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return OnKeyPress(*static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonDblClick:
            DblClick.Raise();
            return false;
        case QEvent::InputMethodQuery:
            return imeMode_ == kImeModeDisable && AnswerWithoutInputMethod(event);
        case QEvent::InputMethod: {
            // Keys the input method takes reach Windows programs as VK_PROCESSKEY; here only the
            // composed text arrives. The input method's work is never swallowed.
            const auto* input = static_cast<QInputMethodEvent*>(event);
            if (!input->commitString().isEmpty() || !input->preeditString().isEmpty()) {
                validation_.ForgetAnswer();
                int16_t keyCode = kProcessKey;
                KeyDown.Raise(keyCode, 0);
            }
            return false;
        }
        default:
            return false;
    }
}

bool QtTextBox::OnKeyPress(QKeyEvent& key) {
    const bool tab = (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
                     !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (tab) {
        // Tab moves the focus rather than reaching the box, as on Windows: no KeyDown.
        if (validation_.BeforeTabLeaves()) return false;
        key.accept();
        return true;
    }
    validation_.ForgetAnswer();
    int16_t keyCode = VirtualKeyOf(key);
    if (keyCode == 0) return false;
    KeyDown.Raise(keyCode, ShiftStateOf(key));
    if (keyCode != 0) return false;
    key.accept();
    return true;
}

}  // namespace tabora::platform::qt
