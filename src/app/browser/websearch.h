// The web search's address: a template from the settings with "%s" where
// the words go.
#pragma once

#include <QString>
#include <QUrl>

inline constexpr char kDefaultSearchUrl[] = "https://www.google.co.jp/search?q=%s";

// The words percent-encoded as UTF-8 in place of every "%s", or after the
// template when it has none. A template that gives no http or https
// address is replaced by the default.
QUrl WebSearchUrl(const QString& urlTemplate, const QString& words);
