#pragma once
// The button's picture, composed pixel by pixel onto the face: effects
// through 256-entry lookup tables, opacity, the mask colour, the shadow and
// the flat silhouette of the push-on-hover look.
#include <cstdint>
#include <optional>
#include <vector>

#include "controls/oxbutton/oxbutton_model.h"

namespace vexa::controls {

// Straight (not premultiplied) 0xAARRGGBB pixels, row by row from the top.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};

// Effects: 0 none, 1 lighter, 2 darker, 3 grey; other numbers draw the picture as it is.
struct PictureDraw {
  int dx = 0, dy = 0;  // from the picture's place
  int effect = 0;
  int opacity = 255;
  bool useMask = true;
  OleColor mask = 0xE0E0E0;
  std::optional<OleColor> flat;  // draw the shape in one colour
};

// How the picture is drawn for the button's current state, in order.
std::vector<PictureDraw> PictureDraws(const OxButtonProperties& p, int state);

// Composes src at (x, y) onto a 0x00RRGGBB face of width x height pixels.
void ComposePicture(std::vector<std::uint32_t>& face, int width, int height, const Picture& src, int x, int y,
                    const PictureDraw& how);

}  // namespace vexa::controls
