// The clock label's text: "hh:mm", or in 12-hour form a space (the empty
// AM/PM designator) and "h:mm".
#pragma once

#include <QString>
#include <QTime>

QString ClockText(const QTime& time, bool hour24);
