#pragma once
// The widget classes the windows are built from, named for the ui layer.

namespace quimba::widgets {
class TGlassButton;
class TImageList;
class TTextureFill;
class TTexturePanel;
}  // namespace quimba::widgets

namespace quimba::ui {
using namespace quimba::widgets;
}  // namespace quimba::ui
