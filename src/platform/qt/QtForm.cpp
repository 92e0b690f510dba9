#include "platform/qt/QtForm.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "app/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "platform/qt/Accessibility.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/QtListBox.h"
#include "platform/qt/QtSimpleControls.h"
#include "platform/qt/QtStrings.h"
#include "platform/qt/QtTextBox.h"
#include "platform/qt/Twips.h"

namespace tabora::platform::qt {

namespace {
// The frames the forms were designed around, in pixels at 96 DPI: a sizable window's border
// and title bar, and a fixed tool window's thin border and small title bar.
constexpr QSize kSizableFrame{9, 27};
constexpr QSize kToolWindowFrame{6, 22};

// The form that was active last, so that Activate follows only a change between our forms.
QPointer<QWidget>& LastActiveWindow() {
    static QPointer<QWidget> window;
    return window;
}

Qt::WindowFlags FlagsFor(const FormDescription& d) {
    Qt::WindowFlags flags =
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    flags |= d.border == BorderStyle::FixedToolWindow ? Qt::Tool : Qt::Window;
    if (d.minButton) flags |= Qt::WindowMinimizeButtonHint;
    if (d.maxButton) flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

std::unique_ptr<Control> MakeControl(const ControlDescription& d, QWidget* parent) {
    switch (d.kind) {
        case ControlKind::TextBox:
            return std::make_unique<QtTextBox>(d, parent);
        case ControlKind::ListBox:
            return std::make_unique<QtListBox>(d, parent);
        case ControlKind::Label:
            return std::make_unique<QtLabel>(d, parent);
        case ControlKind::Frame:
            return std::make_unique<QtFrame>(d, parent);
        case ControlKind::PictureButton:
            return std::make_unique<QtPictureButton>(d, parent);
    }
    return nullptr;
}

QWidget* WidgetOf(const Control& control) {
    const auto* holder = dynamic_cast<const QtWidgetHolder*>(&control);
    return holder != nullptr ? holder->Widget() : nullptr;
}
}  // namespace

class QtForm::FormWindow : public QWidget, public MakesOwnAccessible {
public:
    FormWindow(QtForm& form, Qt::WindowFlags flags) : QWidget(nullptr, flags), form_(form) {}

    // A screen reader hears the main window as a frame and a fixed tool window as a dialog.
    QAccessibleInterface* MakeAccessible() override {
        return new QAccessibleWidget(this, form_.description_.border == BorderStyle::FixedToolWindow
                                               ? QAccessible::Dialog
                                               : QAccessible::Window);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        ReportErrorsAtEventBoundary([&] { form_.OnResizedByPlatform(event->size()); });
    }
    void closeEvent(QCloseEvent* event) override {
        ReportErrorsAtEventBoundary([this] { form_.OnCloseRequested(); });
        // Refused while a modal form is open over it: the window stays as it is.
        event->setAccepted(!form_.IsLoaded());
    }
    void changeEvent(QEvent* event) override {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
            ReportErrorsAtEventBoundary([this] { form_.OnActivated(); });
        }
    }

private:
    QtForm& form_;
};

QtForm::QtForm(const FormDescription& description)
    : description_(description), window_(std::make_unique<FormWindow>(*this, FlagsFor(description))) {
    InstallAccessibleFactory();  // before the window is first asked for its interface
    window_->setObjectName(ToQString(description_.name));
    window_->setWindowTitle(ToQString(description_.caption));
    if (!description_.icon.empty()) window_->setWindowIcon(WindowIcon(description_.icon));
    window_->setFont(FontFor(description_.font));
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, QColor(description_.backColor.red, description_.backColor.green,
                                              description_.backColor.blue));
    window_->setPalette(palette);
    window_->setAutoFillBackground(true);

    const QSize client(ToPixels(static_cast<float>(description_.clientWidth)),
                       ToPixels(static_cast<float>(description_.clientHeight)));
    if (description_.border == BorderStyle::FixedToolWindow) {
        window_->setFixedSize(client);
    } else {
        window_->resize(client);
    }
    reportedClient_ = client;
    CreateControls();
    SetTabOrder();
}

QtForm::~QtForm() {
    if (modalLoop_) modalLoop_->quit();
    controls_.clear();
}

void QtForm::CreateControls() {
    for (const ControlDescription& d : description_.controls) {
        QWidget* parent = window_.get();
        if (!d.container.empty()) {
            // A container must come before what it contains; an unknown one is the form.
            if (const auto found = controls_.find(d.container); found != controls_.end()) {
                if (dynamic_cast<Frame*>(found->second.get()) != nullptr) parent = WidgetOf(*found->second);
            }
        }
        auto control = MakeControl(d, parent);
        if (QWidget* widget = WidgetOf(*control)) {
            if (d.font) widget->setFont(FontFor(*d.font));
            widget->raise();  // back to front, as listed
        }
        controls_[d.name] = std::move(control);
    }
    for (const ControlDescription& d : description_.controls) {
        if (d.coveredBy.empty()) continue;
        if (auto* label = dynamic_cast<QtLabel*>(FindControl(d.name)))
            label->CoverWith(WidgetNamed(d.coveredBy));
    }
}

void QtForm::SetTabOrder() {
    std::vector<const ControlDescription*> ordered;
    for (const ControlDescription& d : description_.controls) ordered.push_back(&d);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlDescription* d : ordered) {
        QWidget* widget = WidgetNamed(d->name);
        if (widget == nullptr || (widget->focusPolicy() & Qt::TabFocus) == 0) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void QtForm::FocusFirstControl() {
    std::vector<const ControlDescription*> ordered;
    for (const ControlDescription& d : description_.controls) ordered.push_back(&d);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    for (const ControlDescription* d : ordered) {
        QWidget* widget = WidgetNamed(d->name);
        if (widget == nullptr || (widget->focusPolicy() & Qt::TabFocus) == 0) continue;
        if (!widget->isEnabled() || !widget->isVisibleTo(window_.get())) continue;
        widget->setFocus(Qt::OtherFocusReason);
        return;
    }
}

Control* QtForm::FindControl(const std::u16string& name) {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second.get();
}

QWidget* QtForm::Window() const { return window_.get(); }

QWidget* QtForm::WidgetNamed(const std::u16string& name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : WidgetOf(*found->second);
}

QSize QtForm::FramePixels() const {
    return description_.border == BorderStyle::FixedToolWindow ? kToolWindowFrame : kSizableFrame;
}

float QtForm::Top() const { return ToTwips(window_->y()); }
void QtForm::SetTop(float twips) { MoveFrameTo(QPoint(window_->x(), ToPixels(twips))); }
float QtForm::Left() const { return ToTwips(window_->x()); }
void QtForm::SetLeft(float twips) { MoveFrameTo(QPoint(ToPixels(twips), window_->y())); }

void QtForm::MoveFrameTo(QPoint position) {
    const bool believedThere = window_->pos() == position;
    window_->move(position);
    // Qt skips a move to where it believes the window is; but a window being shown for the
    // first time is where the window manager will put it, so the position is asked for anyway.
    if (believedThere && window_->isVisible() && window_->windowHandle() != nullptr) {
        window_->windowHandle()->setFramePosition(position);
    }
}
float QtForm::Width() const { return ToTwips(window_->width() + FramePixels().width()); }
float QtForm::Height() const { return ToTwips(window_->height() + FramePixels().height()); }

void QtForm::SetWidth(float twips) {
    RefuseWhileMinimized(window_->isMinimized());
    ResizeClient(QSize(std::max(0, ToPixels(twips) - FramePixels().width()), window_->height()));
}

void QtForm::SetHeight(float twips) {
    RefuseWhileMinimized(window_->isMinimized());
    ResizeClient(QSize(window_->width(), std::max(0, ToPixels(twips) - FramePixels().height())));
}

void QtForm::ResizeClient(QSize client) {
    if (client == window_->size()) return;
    // Remembered first, so that the resize event Qt sends from inside resize() is not taken
    // for a second change.
    reportedClient_ = client;
    if (description_.border == BorderStyle::FixedToolWindow) {
        window_->setFixedSize(client);
    } else {
        window_->resize(client);
    }
    if (Shown()) Resize.Raise();
}

void QtForm::OnResizedByPlatform(QSize client) {
    if (!Shown() || client == reportedClient_) return;
    reportedClient_ = client;
    Resize.Raise();
}

bool QtForm::Visible() const { return Shown() && window_->isVisible(); }

void QtForm::SetVisible(bool visible) {
    if (visible) {
        Show();
    } else {
        window_->hide();
    }
}

std::u16string QtForm::Caption() const { return ToU16(window_->windowTitle()); }
void QtForm::SetCaption(const std::u16string& caption) { window_->setWindowTitle(ToQString(caption)); }

void QtForm::PlaceAtFirstShow() {
    const auto* owner = dynamic_cast<const QtForm*>(ModalOwner());
    if (description_.startPosition != StartPosition::CenterOwner || owner == nullptr) return;
    const QRect ownerFrame = owner->window_->frameGeometry();
    const QSize outer = window_->size() + FramePixels();
    QPoint topLeft = ownerFrame.center() - QPoint(outer.width() / 2, outer.height() / 2);
    // Kept on the owner's screen.
    if (const QScreen* screen = owner->window_->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(
            std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
        topLeft.setY(
            std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    }
    window_->move(topLeft);
}

void QtForm::ShowWindow(bool firstTime) {
    if (firstTime) {
        PlaceAtFirstShow();
        FocusFirstControl();
    }
    window_->show();
    window_->activateWindow();
    if (firstTime) {
        reportedClient_ = window_->size();
        LastActiveWindow() = window_.get();
    }
}

void QtForm::OnActivated() {
    if (!Shown()) return;
    WindowActivated.Raise();
    if (!IsLoaded() || LastActiveWindow() == window_.get()) return;
    LastActiveWindow() = window_.get();
    Activate.Raise();
}

void QtForm::PrepareModal(Form& owner) {
    window_->setWindowModality(Qt::ApplicationModal);
    if (auto* ownerForm = dynamic_cast<QtForm*>(&owner)) {
        // A transient window of the owner: kept above it, and out of the task bar.
        ownerForm->window_->winId();
        window_->winId();
        window_->windowHandle()->setTransientParent(ownerForm->window_->windowHandle());
    }
}

void QtForm::RunModalLoop() {
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
}

void QtForm::EndModalLoop() {
    if (modalLoop_) modalLoop_->quit();
}

void QtForm::ModalEnded(Form& owner) {
    auto* ownerForm = dynamic_cast<QtForm*>(&owner);
    if (ownerForm != nullptr && ownerForm->IsLoaded()) ownerForm->window_->activateWindow();
}

// Application-modal windows lock the owner themselves, without greying it.
void QtForm::EnableWindow(bool enabled, bool /*modalChildOpen*/) { window_->setEnabled(enabled); }

void QtForm::HideWindow() {
    window_->hide();
    if (LastActiveWindow() == window_.get()) LastActiveWindow() = nullptr;
}

void QtForm::OnCloseRequested() { Unload(); }

std::unique_ptr<Form> QtFormFactory::Create(const FormDescription& description) {
    return std::make_unique<QtForm>(description);
}

}  // namespace tabora::platform::qt
