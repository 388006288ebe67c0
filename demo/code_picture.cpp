#include "demo/code_picture.h"

#include <png.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "demo/seeded_random.h"

namespace jixia::demo {
namespace {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// One 5 x 7 glyph per character of kCodeAlphabet, rows top to bottom.
constexpr const char* kGlyphs[][kGlyphHeight] = {
    {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"},  // 2
    {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "},  // 3
    {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "},  // 4
    {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "},  // 5
    {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "},  // 6
    {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "},  // 7
    {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "},  // 8
    {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "},  // 9
    {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"},  // A
    {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "},  // B
    {" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "},  // C
    {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "},  // D
    {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"},  // E
    {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "},  // F
    {" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"},  // G
    {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"},  // H
    {"  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "},  // J
    {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"},  // K
    {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"},  // L
    {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"},  // M
    {"#   #", "#   #", "##  #", "# # #", "#  ##", "#   #", "#   #"},  // N
    {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "},  // P
    {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"},  // Q
    {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"},  // R
    {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "},  // S
    {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "},  // T
    {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "},  // U
    {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "},  // V
    {"#   #", "#   #", "#   #", "# # #", "# # #", "# # #", " # # "},  // W
    {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"},  // X
    {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "},  // Y
    {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"},  // Z
};
static_assert(std::size(kGlyphs) == kCodeAlphabet.size());

struct Picture {
  int width;
  int height;
  std::vector<unsigned char> rgb;

  void Set(int x, int y, unsigned char r, unsigned char g, unsigned char b) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    unsigned char* pixel = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    pixel[0] = r;
    pixel[1] = g;
    pixel[2] = b;
  }
};

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

std::string EncodePng(const Picture& picture) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return "";
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return "";
  }
  png_set_write_fn(png, &out, AppendToString, nullptr);
  png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y) {
    png_write_row(png,
                  const_cast<png_bytep>(&picture.rgb[static_cast<size_t>(y) * picture.width * 3]));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace

std::string DrawCodePicture(std::string_view code, int width, int height, uint64_t noiseSeed) {
  if (width <= 0 || height <= 0 || code.empty()) return "";
  SeededRandom random(noiseSeed);
  Picture picture{width, height,
                  std::vector<unsigned char>(static_cast<size_t>(width) * height * 3)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int shade = 225 + random.Between(0, 30);
      picture.Set(x, y, shade, shade - random.Between(0, 10), 235 + random.Between(0, 20));
    }
  }
  // Two faint lines across, then the characters, then loose dots on top.
  for (int line = 0; line < 2; ++line) {
    int y = random.Between(0, height - 1);
    const int step = random.Between(-1, 1);
    for (int x = 0; x < width; ++x) {
      if (x % 6 == 0) y = std::clamp(y + step, 0, height - 1);
      picture.Set(x, y, 170, 170 + random.Between(0, 40), 190);
    }
  }
  const int count = static_cast<int>(code.size());
  const int cell = width / count;
  const int scale = std::max(1, std::min((cell - 2) / kGlyphWidth, (height - 4) / kGlyphHeight));
  for (int i = 0; i < count; ++i) {
    const size_t glyph = kCodeAlphabet.find(code[i]);
    if (glyph == std::string_view::npos) continue;
    const unsigned char r = random.Between(10, 120);
    const unsigned char g = random.Between(10, 90);
    const unsigned char b = random.Between(40, 150);
    const int left =
        i * cell + std::max(0, (cell - kGlyphWidth * scale) / 2) + random.Between(-1, 1);
    const int top = std::max(0, (height - kGlyphHeight * scale) / 2) + random.Between(-2, 2);
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int column = 0; column < kGlyphWidth; ++column) {
        if (kGlyphs[glyph][row][column] != '#') continue;
        for (int dy = 0; dy < scale; ++dy) {
          for (int dx = 0; dx < scale; ++dx) {
            picture.Set(left + column * scale + dx, top + row * scale + dy, r, g, b);
          }
        }
      }
    }
  }
  for (int dot = 0; dot < width * height / 25; ++dot) {
    const unsigned char shade = random.Between(60, 200);
    picture.Set(random.Between(0, width - 1), random.Between(0, height - 1), shade, shade, shade);
  }
  return EncodePng(picture);
}

}  // namespace jixia::demo
