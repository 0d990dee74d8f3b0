#include "editor/qt/keymap.h"

#include <unordered_map>

#include "editor/keys.h"

namespace {

// Punctuation keys by the character they carry (the US and the Japanese
// layouts), as the OEM codes of those layouts.
int OemKeyOf(int key) {
  switch (key) {
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: case Qt::Key_Less: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: case Qt::Key_Greater: return 190;
    case Qt::Key_Slash: case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: case Qt::Key_At: return 192;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash: case Qt::Key_Bar: case Qt::Key_yen: return 220;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: case Qt::Key_AsciiCircum: return 222;
    case Qt::Key_Underscore: return 226;
    default: return 0;
  }
}

}  // namespace

int VirtualKeyOf(const QKeyEvent& event) {
  static const std::unordered_map<int, int> kKeys = {
      {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
      {Qt::Key_Clear, VK_CLEAR},     {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
      {Qt::Key_Shift, VK_SHIFT},     {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
      {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Henkan, VK_CONVERT},  {Qt::Key_Muhenkan, 29},
      {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
      {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},
      {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
      {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Pause, 19},
      {Qt::Key_CapsLock, 20},        {Qt::Key_Hiragana_Katakana, 21}, {Qt::Key_Kanji, 25},
  };
  const int key = event.key();
  if (auto it = kKeys.find(key); it != kKeys.end()) return it->second;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
  return OemKeyOf(key);
}

unsigned KeyDataOf(const QKeyEvent& event) {
  unsigned data = 1;  // repeat count
  if (event.isAutoRepeat()) data |= kKeyDataRepeat;
  if (event.modifiers() & Qt::AltModifier) data |= kKeyDataAltDown;
  return data;
}

QString TypedText(const QKeyEvent& event) {
  if (event.modifiers() & Qt::AltModifier) return QString();
  const bool ctrl = event.modifiers() & Qt::ControlModifier;
  switch (event.key()) {
    case Qt::Key_Backspace: return QString(QChar(ctrl ? 0x7F : '\b'));
    case Qt::Key_Return:
    case Qt::Key_Enter: return QString(QChar(ctrl ? '\n' : '\r'));
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return ctrl ? QString() : QStringLiteral("\t");
    case Qt::Key_Delete: return QString();
    default: return event.text();
  }
}
