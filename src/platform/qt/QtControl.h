#pragma once
// What the Qt controls share: a widget, its position and size in twips inside its container,
// its visibility and its own enabled state.

#include <QWidget>
#include <string>

#include "platform/FormDescription.h"
#include "platform/qt/QtStrings.h"
#include "platform/qt/Twips.h"

namespace tabora::platform::qt {

// The widget behind a control, for the form, the executable and tests.
class QtWidgetHolder {
public:
    virtual ~QtWidgetHolder() = default;
    virtual QWidget* Widget() const = 0;
};

template <class Interface>
class QtControl : public Interface, public QtWidgetHolder {
public:
    // widget belongs to its parent widget; the control only steers it.
    QtControl(const ControlDescription& d, QWidget* widget)
        : name_(d.name),
          widget_(widget),
          left_(static_cast<float>(d.left)),
          top_(static_cast<float>(d.top)),
          width_(static_cast<float>(d.width)),
          height_(static_cast<float>(d.height)) {
        widget_->setObjectName(ToQString(d.name));
        if (!d.toolTip.empty()) {
            widget_->setToolTip(ToQString(d.toolTip));
            widget_->setAccessibleDescription(ToQString(d.toolTip));
        }
        if (!d.accessibleName.empty()) widget_->setAccessibleName(ToQString(d.accessibleName));
        widget_->setEnabled(d.enabled);
        widget_->setVisible(d.visible);
        Place();
    }

    std::u16string Name() const override { return name_; }
    float Top() const override { return top_; }
    void SetTop(float twips) override { Update(top_, twips); }
    float Left() const override { return left_; }
    void SetLeft(float twips) override { Update(left_, twips); }
    float Width() const override { return width_; }
    void SetWidth(float twips) override { Update(width_, twips); }
    float Height() const override { return height_; }
    void SetHeight(float twips) override { Update(height_, twips); }

    // The control's own flag: a control inside a hidden frame still reads as visible.
    bool Visible() const override { return !widget_->isHidden(); }
    void SetVisible(bool visible) override { widget_->setVisible(visible); }
    bool Enabled() const override { return !widget_->testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool enabled) override { widget_->setEnabled(enabled); }

    QWidget* Widget() const override { return widget_; }

private:
    void Update(float& field, float twips) {
        field = twips;
        Place();
    }
    void Place() { widget_->setGeometry(PixelRect(left_, top_, width_, height_)); }

    std::u16string name_;
    QWidget* widget_;
    float left_, top_, width_, height_;
};

}  // namespace tabora::platform::qt
