#include "app/colorvalues.h"

#include "app/colors.h"

// Built on the settings file's colour text: "clRed" or "$00BBGGRR".
std::string HtmlColorValue(TColor color) {
  const QString text = ColorToText(FromQColor(ToQColor(color)));
  if (text.startsWith(QLatin1String("cl"))) return '"' + text.mid(2).toStdString() + '"';
  const QString bgr = text.right(6);
  return "\"#" + (bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.left(2)).toStdString() + '"';
}
