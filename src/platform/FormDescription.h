#pragma once
// A form described as data: the platform layers render it, the window logic never draws.
// Positions and sizes are in twips (15 twips to a pixel at 96 DPI), relative to the container.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tabora::platform {

struct Color {
    uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(Color, Color) = default;
};

inline constexpr int32_t kCharsetShiftJis = 128;

struct FontSpec {
    std::u16string family;
    float points = 9;
    int32_t charset = kCharsetShiftJis;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

enum class ControlKind { TextBox, ListBox, Label, Frame, PictureButton };
enum class ScrollBars { None, Vertical };

struct ControlDescription {
    std::u16string name;
    ControlKind kind = ControlKind::Label;
    std::u16string container;  // empty: the form itself
    int32_t left = 0, top = 0, width = 0, height = 0;
    std::u16string caption;  // caption of a label or frame, initial text of a text box
    std::u16string toolTip;
    std::u16string picture;  // resource name of a picture button's image
    std::optional<FontSpec> font;  // the form's font when empty
    std::optional<Color> foreColor;
    std::optional<Color> backColor;  // the form's background when empty
    bool transparent = false;        // labels: no background of their own
    bool enabled = true;
    bool visible = true;
    bool readOnly = false;
    bool multiLine = false;
    ScrollBars scrollBars = ScrollBars::None;
    int32_t tabIndex = 0;
    bool acceptsDroppedFiles = false;
    // For screen readers: what they call the control (empty: its caption); the tooltip is what
    // they add to describe it. A label can be kept from them: one that is only colour, or one
    // covered by the control named here while that control shows.
    std::u16string accessibleName;
    bool decorative = false;
    std::u16string coveredBy;
};

// A control of that kind, place, size and tab index; everything else as above. An empty
// container puts it on the form itself.
inline ControlDescription DescribeControl(std::u16string name, ControlKind kind, int32_t left, int32_t top,
                                          int32_t width, int32_t height, int32_t tabIndex,
                                          std::u16string container = {}) {
    ControlDescription d;
    d.name = std::move(name);
    d.kind = kind;
    d.container = std::move(container);
    d.left = left;
    d.top = top;
    d.width = width;
    d.height = height;
    d.tabIndex = tabIndex;
    return d;
}

enum class BorderStyle {
    Sizable,          // resizable frame
    FixedToolWindow,  // fixed size, small title bar, not in the task bar
};
enum class StartPosition { Manual, CenterOwner };

struct FormDescription {
    std::u16string name;
    std::u16string caption;
    int32_t clientWidth = 0, clientHeight = 0;
    Color backColor;
    FontSpec font;
    BorderStyle border = BorderStyle::Sizable;
    bool minButton = true;
    bool maxButton = true;
    bool showInTaskbar = true;
    StartPosition startPosition = StartPosition::Manual;
    std::u16string icon;  // resource name of the window icon; empty: none
    // Back to front: a control later in the list lies in front of an earlier one.
    std::vector<ControlDescription> controls;
};

}  // namespace tabora::platform
