#pragma once
// What every headless control has: a name, a place and size in twips, shown and enabled flags.

#include <string>

#include "platform/FormDescription.h"

namespace tabora::test {

template <class Interface>
class HeadlessControl : public Interface {
public:
    explicit HeadlessControl(const platform::ControlDescription& d)
        : name_(d.name),
          top_(static_cast<float>(d.top)),
          left_(static_cast<float>(d.left)),
          width_(static_cast<float>(d.width)),
          height_(static_cast<float>(d.height)),
          visible_(d.visible),
          enabled_(d.enabled),
          toolTip_(d.toolTip) {}

    std::u16string Name() const override { return name_; }
    float Top() const override { return top_; }
    void SetTop(float twips) override { top_ = twips; }
    float Left() const override { return left_; }
    void SetLeft(float twips) override { left_ = twips; }
    float Width() const override { return width_; }
    void SetWidth(float twips) override { width_ = twips; }
    float Height() const override { return height_; }
    void SetHeight(float twips) override { height_ = twips; }
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    const std::u16string& ToolTip() const { return toolTip_; }

private:
    std::u16string name_;
    float top_, left_, width_, height_;
    bool visible_, enabled_;
    std::u16string toolTip_;
};

}  // namespace tabora::test
