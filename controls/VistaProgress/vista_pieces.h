#pragma once
// The busy bar's own pictures, drawn by code at a size in pixels: the empty
// track's ends and middle, the bar's left cap and body, the glint and the
// right edge piece.
#include "controls/paint/raster.h"

namespace vexa::controls {

enum class TrackPart { Left, Middle, Right };

// A w x h piece of the track, whose shape runs from shapeTop to shapeBottom
// of the piece, so that pieces standing at different heights line up.
Canvas TrackPiece(TrackPart part, int w, int h, int shapeTop, int shapeBottom);
Canvas BarPiece(bool cap, int w, int h);
Canvas GlintPiece(int w, int h);
Canvas EdgePiece(int w, int h);

}  // namespace vexa::controls
