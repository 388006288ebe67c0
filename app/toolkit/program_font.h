// The program's font. Its windows name "微软雅黑"; where that family is not
// installed, a CJK family that is (WenQuanYi Micro Hei, package
// fonts-wqy-microhei) stands in, so Chinese text renders everywhere.
#pragma once

namespace jixia {

// Registers the substitution and makes "微软雅黑" (9 points) the application
// font. Call once after the QApplication exists.
void InstallProgramFont();

}  // namespace jixia
