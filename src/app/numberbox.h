// An input box for one whole number, as the settings commands ask for them.
#pragma once

#include <QString>

#include <optional>

class Dialogs;

// Asks for a number prefilled with `value`. Nothing when the user cancels,
// or when the text is not a whole number: then after the invalid-integer
// message, so that the caller changes nothing.
std::optional<int> AskNumber(Dialogs& dialogs, const QString& title, int value);

// The message for a text that is not a whole number.
QString InvalidIntegerMessage(const QString& text);
