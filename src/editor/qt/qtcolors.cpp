#include "editor/qt/qtcolors.h"

namespace {

// COLOR_* indices of the Windows system colours, in their order.
QPalette::ColorRole RoleOf(unsigned index, bool& known) {
  static const QPalette::ColorRole kRoles[] = {
      QPalette::Mid,              // 0 scroll bar
      QPalette::Dark,             // 1 desktop
      QPalette::Highlight,        // 2 active caption
      QPalette::Mid,              // 3 inactive caption
      QPalette::Window,           // 4 menu
      QPalette::Base,             // 5 window
      QPalette::Shadow,           // 6 window frame
      QPalette::WindowText,       // 7 menu text
      QPalette::Text,             // 8 window text
      QPalette::HighlightedText,  // 9 caption text
      QPalette::Window,           // 10 active border
      QPalette::Window,           // 11 inactive border
      QPalette::Mid,              // 12 application workspace
      QPalette::Highlight,        // 13 highlight
      QPalette::HighlightedText,  // 14 highlight text
      QPalette::Button,           // 15 button face
      QPalette::Dark,             // 16 button shadow
      QPalette::PlaceholderText,  // 17 grey text
      QPalette::ButtonText,       // 18 button text
      QPalette::WindowText,       // 19 inactive caption text
      QPalette::Light,            // 20 button highlight
      QPalette::Shadow,           // 21 3-D dark shadow
      QPalette::Midlight,         // 22 3-D light
      QPalette::ToolTipText,      // 23 info text
      QPalette::ToolTipBase,      // 24 info background
  };
  known = index < std::size(kRoles);
  return known ? kRoles[index] : QPalette::Text;
}

}  // namespace

QColor ToQColor(TColor color, const QPalette& palette) {
  if (IsSystemColor(color)) {
    bool known = false;
    const QPalette::ColorRole role = RoleOf(color & 0xFFFF, known);
    return known ? palette.color(QPalette::Active, role) : QColor(Qt::black);
  }
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor ToTColor(const QColor& c) {
  return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) |
         (static_cast<TColor>(c.blue()) << 16);
}

TColor SystemColorOf(TColor color, const QPalette& palette) { return ToTColor(ToQColor(color, palette)); }
