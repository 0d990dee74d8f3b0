// What "日付" inserts: the date in the system's short date format.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Without a chosen locale (the C locale) the Japanese short date,
// "yyyy/MM/dd", which "選択範囲の年月日の表記を変換" reads back.
QString DateInsertText(const QDate& date, const QLocale& locale = QLocale::system());
