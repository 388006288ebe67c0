// Names of the embedded pictures and the one way the windows load them.
#pragma once

#include <QPixmap>
#include <QString>

namespace jixia::pictures {

// Resource paths under the prefix /jixia.
inline constexpr char kFirstPanel[] = ":/jixia/first_panel.png";      // 320 x 640
inline constexpr char kFrame[] = ":/jixia/frame.png";                 // 800 x 500
inline constexpr char kOutline[] = ":/jixia/outline.png";             // 800 x 500, white = outside
inline constexpr char kFieldNormal[] = ":/jixia/field_normal.png";    // 300 x 50
inline constexpr char kFieldFocused[] = ":/jixia/field_focused.png";  // 300 x 50
inline constexpr char kLogo[] = ":/jixia/logo.png";                   // 80 x 72
inline constexpr char kIcon[] = ":/jixia/icon.png";                   // 256 x 256
inline constexpr char kMainBackground[] = ":/jixia/main_background.png";        // 972 x 578
inline constexpr char kPenaltyDecoration[] = ":/jixia/penalty_decoration.png";  // 240 x 240

// The three looks of the picture button `name` (for example "enter").
struct ButtonLooks {
  QPixmap normal;
  QPixmap hovered;
  QPixmap pressed;
};

// Loads an embedded picture; a null pixmap when there is none of that name.
QPixmap Load(const char* path);

// Loads ":/jixia/<name>_normal.png", "_hovered.png" and "_pressed.png".
ButtonLooks LoadButton(const QString& name);

}  // namespace jixia::pictures
