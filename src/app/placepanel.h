// The status bar's panel that says where the caret stands in the file and
// how "上書き保存" will write the document: "12 行 5 桁　SJIS CRLF". A file
// read in another encoding shows it before the one the save writes:
// "EUC→SJIS LF".
#pragma once

#include <QString>

#include "app/fileorigin.h"
#include "editor/lineindex.h"

class QLabel;
class QWidget;

QString PlaceText(const TFilePos& pos, const TFileOrigin& origin);

QLabel* NewPlacePanel(QWidget* parent);
