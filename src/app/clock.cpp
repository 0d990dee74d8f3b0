#include "app/clock.h"

QString ClockText(const QTime& time, bool hour24) {
  if (hour24) return time.toString(QStringLiteral("hh:mm"));
  const int h = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
  return QStringLiteral(" %1:%2").arg(h).arg(time.minute(), 2, 10, QLatin1Char('0'));
}
