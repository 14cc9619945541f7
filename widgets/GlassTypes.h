#pragma once

namespace quimba::widgets {

// Small enumerations shared by the glass button and its painting.

enum class TShadowStyle { ssNone, ssGlow, ssDrop };
enum class TTextAlign { taLeft, taCenter, taRight };
enum class TGlyphPos { gpTop, gpBottom, gpLeft, gpRight };
enum class TPopupAlignment { paLeft, paRight, paCenter };

}  // namespace quimba::widgets
