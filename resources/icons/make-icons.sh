#!/usr/bin/env bash
# Draws the tool bar icons used where the desktop's icon theme has none:
# a coloured square with one or two characters. Needs ImageMagick and the
# IPA Gothic font. Run from this folder; the PNGs are kept in git.
set -euo pipefail
cd "$(dirname "$0")"
while read -r id colour glyph; do
  [ -z "$id" ] && continue
  size=13
  [ ${#glyph} -gt 1 ] && size=10
  convert -size 24x24 xc:none -fill "$colour" -draw 'roundrectangle 1,1 22,22 4,4' \
    -fill white -font IPAGothic -pointsize "$size" -gravity center -annotate +0+0 "$glyph" \
    "$id.png"
done <<'LIST'
FileNew1Execute #3b7dd8 新
FileOpenItemClick #3b7dd8 開
filesaveExecute #3b7dd8 保
FileSaveAsItemClick #3b7dd8 別
editcutExecute #6a6a6a 切
editcopyExecute #6a6a6a 写
pasteExecute #6a6a6a 貼
editundoExecute #6a6a6a 戻
editredoExecute #6a6a6a 進
Find1Click #c07a10 検
Replace1Click #c07a10 置
inserchExecute #c07a10 W
SortMenu #c07a10 並
TeiPopButton #7a4fb0 定
CPopButton #7a4fb0 履
ToolButton34Click #2e8b57 H
ToolButton56Click #2e8b57 変
WindowCascade #505a70 重
WindowTileHorizontal #505a70 ≡
WindowTileVertical #505a70 ||
BodyButton #2e8b57 本
BunButton #2e8b57 改
FontButton #2e8b57 F
Font2Button #2e8b57 F2
LinkButton #2e8b57 A
ImageButton #2e8b57 画
ListButton #2e8b57 列
TableButton #2e8b57 表
FormButton #2e8b57 フ
FrameButton #2e8b57 枠
ColorInputButton #2e8b57 色
PrevTagButton #2e8b57 <>
TagModeButton #2e8b57 タ
PreviewButton #2e8b57 IE
CharKindButton #b03a3a 字
SeparatorButton #b03a3a 区
NumberButton #b03a3a 数
QuoteButton #b03a3a 「
DateButton #b03a3a 日
TimeButton #b03a3a 時
LineHeadButton #b03a3a 頭
RenbanButton #b03a3a 番
JishoButton #b03a3a 辞
KeywordAddButton #b03a3a キ
PhraseAddButton #b03a3a 文
LIST
convert -size 48x48 xc:none -fill '#3b7dd8' -draw 'roundrectangle 2,2 45,45 9,9' \
  -fill white -font IPAGothic -pointsize 30 -gravity center -annotate +0+0 'Z' ../zibeditor.png
