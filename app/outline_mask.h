// The window outline taken from a picture.
#pragma once

#include <QImage>
#include <QRegion>

namespace jixia {

// The region of `picture` without its pure white pixels: every pixel of
// RGB(255, 255, 255) lies outside, every other pixel inside (alpha is not
// looked at). An empty region for a null picture.
QRegion OutlineRegion(const QImage& picture);

}  // namespace jixia
