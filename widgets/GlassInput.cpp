// The glass button's press and hover: every transition and its effects.
#include "GlassInput.h"

namespace quimba::widgets {

GlassEffects GlassInput::DropPressedLook() {
    pressed_ = false;
    hotPart_ = -1;
    return {.repaint = true};
}

GlassEffects GlassInput::Enter() {
    popupShown_ = false;
    return DropPressedLook();
}

GlassEffects GlassInput::Leave() { return popupShown_ ? GlassEffects{} : DropPressedLook(); }

GlassEffects GlassInput::Move(bool inside, int part, bool leftHeld) {
    GlassEffects effects;
    mouseInside_ = inside;
    // The press grabs the mouse, so no leave comes while the button is held:
    // dragging out must clear the pressed look here, as leaving would.
    if (!inside && (pressed_ || hotPart_ != -1) && !popupShown_) effects = DropPressedLook();
    if (inside && !pressed_) {
        if (part != hotPart_) {
            hotPart_ = part;
            effects.repaint = true;
        }
        pressed_ = leftHeld;
    }
    return effects;
}

GlassEffects GlassInput::Press(bool inside, int part) {
    clickHandled_ = false;
    // A press is always over the button, even when no move came before it.
    mouseInside_ = inside;
    popupShown_ = false;
    pressed_ = true;
    hotPart_ = part;
    return {.repaintNow = true, .takeFocus = true};
}

GlassEffects GlassInput::ReleaseClick(bool inside, const GlassShape& shape) {
    // Released outside means no click, whatever the last move reported.
    mouseInside_ = inside;
    if (clickHandled_ || !inside || !pressed_) return {};
    clickHandled_ = true;
    return {.click = shape.duoStyle ? hotPart_ == 0 : true, .takeFocus = true};
}

GlassEffects GlassInput::ReleaseEnd(bool inside, int part, const GlassShape& shape) {
    bool dropDown = false;
    if (inside) {
        if (shape.duoStyle) {
            if (part == 1) {
                const bool wasArrow = hotPart_ == 1;
                hotPart_ = 1;
                dropDown = !popupShown_ && wasArrow;
            }
        } else {
            dropDown = shape.hasMenu;
        }
    }
    popupShown_ = false;
    GlassEffects effects = DropPressedLook();
    effects.dropDown = dropDown;
    return effects;
}

GlassEffects GlassInput::KeyPress(GlassKey key, bool autoRepeat, const GlassShape& shape) {
    pressed_ = false;
    popupShown_ = false;
    if (key == GlassKey::Enter && !autoRepeat) {
        pressed_ = true;
        hotPart_ = 0;
        return {.repaintNow = true};
    }
    if (key == GlassKey::Down && (shape.arrow || shape.hasMenu)) {
        pressed_ = true;
        hotPart_ = shape.duoStyle ? 1 : 0;
        return {.repaintNow = true};
    }
    return {};
}

GlassEffects GlassInput::KeyRelease(GlassKey key, const GlassShape& shape) {
    pressed_ = false;
    popupShown_ = false;
    if (key == GlassKey::Down) {
        if (!shape.arrow && !shape.hasMenu) return {};
        hotPart_ = shape.duoStyle ? 1 : 0;
        return {.dropDown = true};
    }
    if (key == GlassKey::Enter) {
        if (!shape.duoStyle && shape.hasMenu) return {.dropDown = true};
        hotPart_ = -1;
        return {.repaintNow = true, .click = true};
    }
    return {};
}

}  // namespace quimba::widgets
