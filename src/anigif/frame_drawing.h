#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>

#include "anigif/ani_gif_state.h"

namespace anigif {

// Creates the composition canvas of the logical screen, with its mask when asked.
void CreateCanvasDIB(AniGifState& s, bool withMask);

// Draws frame k (> 0) from the strip, or the canvas (frame < 0), into `dest` at `rect` (x, y,
// width, height): a mask pass (SRCAND) and a colour pass (SRCPAINT) for see-through pixels, a
// plain copy otherwise. Stretched from the whole source when `stretch`.
void DrawFrame(AniGifState& s, std::int32_t frame, QImage& dest, bool stretch, const QRect& rect);

// Draws frame `frame` as the control shows it (composed on the canvas when the GIF has one).
// False when `frame` is 0.
bool PaintCurrentFrame(AniGifState& s, std::int32_t frame, QImage& dest);

// The canvas work around drawing frame `frame`: before (clearing at frame 1, saving what a
// restore-to-previous frame covers, marking the frame's opaque pixels in the mask) and after
// the canvas has been shown (the disposal).
void ComposeFrame(AniGifState& s, std::int32_t frame, bool afterDraw, QImage& savedMask,
                  QImage& savedPixels);

// Flips the decoded frames between `fromStyle` and s.m_MirrorStyle (frame 1 only when
// `firstOnly`), and the canvas too when `alsoCanvas`. Consumes the frame-1-only bit.
void ApplyMirror(AniGifState& s, std::int32_t fromStyle, bool firstOnly, bool alsoCanvas);

// The drawing ratios for s.m_StretchMode and a control of w x h pixels; may change w and h to
// the size the control should take. Nothing while the control is empty.
void CalcStretch(AniGifState& s, std::int32_t& w, std::int32_t& h, float& scaleX, float& scaleY);

}  // namespace anigif
