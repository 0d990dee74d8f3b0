// Shift-JIS bytes <-> QString at the boundary between the documents and Qt.
#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

QString FromSjis(std::string_view sjis);

// A character without a Shift-JIS form becomes "?"; *replaced counts them.
std::string ToSjis(const QString& text, std::size_t* replaced = nullptr);
