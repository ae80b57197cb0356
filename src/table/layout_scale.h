#pragma once

#include "platform/forms/control.h"
#include "state/shared_state.h"

namespace table {

// The table is designed at 1024 x 768 pixels; a design number n lies at n x the layout scale,
// g_fScaleX across and g_fScaleY down (the two are equal: 1.0, or 0.78125 on a small screen).
struct LayoutScale {
    float sx;
    float sy;

    explicit LayoutScale(const state::SharedState& s) : sx(s.g_fScaleX), sy(s.g_fScaleY) {}
    // The reduced layout switches a few fonts, pictures and places as well.
    bool reduced() const { return sx < 1.0f; }
    float x(float design) const { return design * sx; }
    float y(float design) const { return design * sy; }

    // Puts a control's corner, or its size, at design numbers.
    void place(forms::Control& control, float left, float top) const {
        control.setLeft(x(left));
        control.setTop(y(top));
    }
    void size(forms::Control& control, float width, float height) const {
        control.setWidth(x(width));
        control.setHeight(y(height));
    }
};

}  // namespace table
