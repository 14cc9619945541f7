#pragma once
// The glass button's press and hover as one state machine, free of the
// toolkit: each mouse or key input is one transition, which says what the
// button must do (repaint, click, open its menu, take the focus). The button
// feeds it and carries the effects out; painting reads the hot part and the
// pressed look from here.

namespace quimba::widgets {

// What a transition asks of the button.
struct GlassEffects {
    bool repaint = false;     // repaint in due course
    bool repaintNow = false;  // repaint before the handler returns, so a press shows at once
    bool click = false;       // emit the click
    bool dropDown = false;    // open the menu once the handler has returned
    bool takeFocus = false;   // focus the button, when it takes the focus at all
};

// The button's make-up as far as input goes.
struct GlassShape {
    bool duoStyle = false;  // face and arrow are two parts, only the face clicks
    bool arrow = false;     // an arrow is drawn
    bool hasMenu = false;   // a drop-down menu is set
};

enum class GlassKey { Enter, Down, Other };

class GlassInput {
public:
    int HotPart() const { return hotPart_; }  // 0 the face, 1 the arrow, -1 none
    bool Pressed() const { return pressed_; }
    bool MouseInside() const { return mouseInside_; }
    bool PopupShown() const { return popupShown_; }

    GlassEffects Enter();
    GlassEffects Leave();
    // `part` is the part under the pointer; `leftHeld` the left button down.
    GlassEffects Move(bool inside, int part, bool leftHeld);
    GlassEffects Press(bool inside, int part);  // the left button
    void OtherPress() { clickHandled_ = false; }
    // A left release is two steps: the click (emitted while the button still
    // looks pressed), then the rest.
    GlassEffects ReleaseClick(bool inside, const GlassShape& shape);
    GlassEffects ReleaseEnd(bool inside, int part, const GlassShape& shape);
    GlassEffects KeyPress(GlassKey key, bool autoRepeat, const GlassShape& shape);
    GlassEffects KeyRelease(GlassKey key, const GlassShape& shape);  // not for auto-repeats
    void PopupOpened() { popupShown_ = true; }
    GlassEffects PopupClosed() { return DropPressedLook(); }

private:
    // Neither pressed nor hot any more.
    GlassEffects DropPressedLook();

    int hotPart_ = -1;
    bool pressed_ = false;
    bool mouseInside_ = false;
    bool clickHandled_ = false;  // the press's click was given by the release
    bool popupShown_ = false;    // the menu opened by this press is showing
};

}  // namespace quimba::widgets
