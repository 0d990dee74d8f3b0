// The one message for a text that should have been a whole number, and
// reading such a text from an input box: every command that takes a number
// from the user tells about a wrong one the same way.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class Dialogs;

// Names the text, shortened when it is long.
QString NotANumberMessage(const QString& text);
void ShowNotANumber(Dialogs& dialogs, const QString& text);

// The 32-bit integer text writes (full-width digits and blanks around it
// allowed); nothing, after the message, when it writes none.
std::optional<std::int32_t> IntegerOrMessage(Dialogs& dialogs, const QString& text);

// Asks for a number prefilled with `value`. Nothing when the user cancels
// or the text is no number (after the message), so the caller changes nothing.
std::optional<std::int32_t> AskNumber(Dialogs& dialogs, const QString& title, std::int32_t value);
