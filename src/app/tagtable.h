// The HTML insertion commands as data: what each asks the user for, the
// text it builds around the answer, and how that text goes in.
#pragma once

#include <cstddef>

enum class TTagAsk {
  Nothing,
  Text,   // an input box with Title, Prompt and Default
  Color,  // the colour dialog; the answer is the colour's HTML value
};

enum class TTagHow {
  Tag,            // by the tag mode
  Plain,          // as it is; it becomes the last tag
  BodyAttribute,  // into the BODY tag; it becomes the last tag
  Direct,         // as it is; the last tag stays
};

// The text inserted is Before, the answer, After.
struct TTagCommand {
  const char* Id;
  TTagHow How;
  const char* Before;
  const char* After = "";
  TTagAsk Ask = TTagAsk::Nothing;
  const char* Title = nullptr;
  const char* Prompt = nullptr;
  const char* Default = "";
};

extern const TTagCommand kTagCommands[];
extern const std::size_t kTagCommandsSize;
