#pragma once
// The busy bar's own pictures, drawn by code at a size in pixels: the empty
// track's ends and middle, the bar's left cap and body, the glint and the
// right edge piece.
#include "controls/paint/canvas.h"

namespace vexa::controls {

enum class TrackPart { Left, Middle, Right };

Canvas TrackPiece(TrackPart part, int w, int h);
Canvas BarPiece(bool cap, int w, int h);
Canvas GlintPiece(int w, int h);
Canvas EdgePiece(int w, int h);

}  // namespace vexa::controls
