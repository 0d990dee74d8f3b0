#include "app/tagtable.h"

#include <iterator>

namespace {

constexpr TTagHow kTag = TTagHow::Tag;
constexpr TTagHow kPlain = TTagHow::Plain;
constexpr TTagHow kBody = TTagHow::BodyAttribute;
constexpr TTagAsk kText = TTagAsk::Text;
constexpr TTagAsk kColor = TTagAsk::Color;

constexpr const char* kFontSizePrompt = "1..7（7が最大）";

}  // namespace

// Where a default of the input boxes is the whole tag, the user edits it and
// the edited text goes in as it is.
const TTagCommand kTagCommands[] = {
    // Colours of the page: attributes of its BODY tag.
    {"bgcoloritemClick", kBody, "bgcolor=", "", kColor},
    {"textitemClick", kBody, "text=", "", kColor},
    {"linkcoloritemClick", kBody, "link=", "", kColor},
    {"vlinkitemClick", kBody, "vlink=", "", kColor},
    {"alinkitemClick", kBody, "alink=", "", kColor},
    {"backgrounditemClick", kBody, "background=\"", "\"", kText, "壁紙の指定",
     "ファイルのURLを入力してください"},

    // Fonts.
    {"coloritemClick", kTag, "<FONT COLOR=", ">", kColor},
    {"sizeitemClick", kTag, "<FONT SIZE=\"", "\">", kText, "フォントサイズ", kFontSizePrompt, "3"},
    {"baseitemClick", kPlain, "<BASEFONT SIZE=\"", "\">", kText, "基準フォントサイズ", kFontSizePrompt, "3"},
    {"Hn1Click", kTag, "<", ">", kText, "見出し文字", "1..6（1が最大）", "H3"},
    {"B1Click", kTag, "<B>"},
    {"I1Click", kTag, "<I>"},
    {"U1Click", kTag, "<U>"},
    {"strikeitemClick", kTag, "<STRIKE>"},
    {"BLINKitemClick", kTag, "<BLINK>"},
    {"bigitemClick", kTag, "<BIG>"},
    {"smallitemClick", kTag, "<SMALL>"},
    {"supitemClick", kTag, "<SUP>"},
    {"subitemClick", kTag, "<SUB>"},
    {"emitemClick", kTag, "<EM>"},
    {"strongitemClick", kTag, "<STRONG>"},

    // Line breaks, paragraphs and alignment.
    {"britemClick", kPlain, "<BR>"},
    {"pitemClick", kTag, "<P>"},
    {"PALIGNCENTER1Click", kTag, "<P ALIGN=CENTER>"},
    {"PALIGNRIGHT1Click", kTag, "<P ALIGN=RIGHT>"},
    {"PALIGNLEFT1Click", kTag, "<P ALIGN=LEFT>"},
    {"centeritemClick", kTag, "<CENTER>"},
    {"N58Click", kTag, "<DIV ALIGN=LEFT>"},
    {"N60Click", kTag, "<DIV ALIGN=CENTER>"},
    {"N59Click", kTag, "<DIV ALIGN=RIGHT>"},
    {"preitemClick", kTag, "<PRE>"},

    // Rules and images.
    {"hritemClick", kPlain, "<HR>"},
    {"HR1Click", kPlain, "", "", kText, "水平線のオプション指定",
     "太さ(pixel)、長さ(pixel,%)、位置(right/center/left)、影なし(noshade)",
     "<HR SIZE =\"\" WIDTH=\"\" ALIGN=\"\" noshade>"},
    {"imageitemClick", kPlain, "", "", kText, "イメージの表示", "イメージファイルのＵＲＬを指定",
     "<IMG SRC=\"\">"},
    {"N68Click", kPlain, "", "", kText, "イメージのオプション指定",
     "URL、代替テキスト、幅・高さ(pixel,%)、位置(top / middle / center / bottom / texttop / "
     "baseline / absmiddle / absbottom)、テキストの回り込み指定(left / right)",
     "<IMG SRC=\"\" ALT=\"\" WIDTH=\"\" HEIGHT=\"\" ALIGN=\"\">"},

    // Lists.
    {"ulitemClick", kTag, "<UL>"},
    {"menulistitemClick", kTag, "<MENU>"},
    {"diritemClick", kTag, "<DIR>"},
    {"olitemClick", kTag, "<OL>"},
    {"litemClick", kPlain, "<LI>"},

    // Links.
    {"linkitemClick", kTag, "", "", kText, "リンク", "リンクのURL指定", "<A HREF=\"\">"},
    {"ANAME1Click", kTag, "", "", kText, "ページの途中に飛ぶ", "リンク先の名前は？", "<A NAME=\"\">"},
    {"targetitemClick", kTag, "", "", kText, "リンクを表示するターゲットを指定",
     "(flamename):ウインドウ名を指定(フレーム使用時) 該当ない場合は新規ウインドウ,_self：現在の"
     "フレームに表示,_top：フレームを解除してから表示,_parent：(フレームが入れ子になっている時)"
     "一つ上の階層で表示,_blank：新規ウインドウ",
     "<A HREF=\"\" TARGET=\"\">"},

    // Tables.
    {"tableitemClick", kTag, "<TABLE>"},
    {"tritemClick", kTag, "<TR>"},
    {"thitemClick", kTag, "<TH>"},
    {"tditemClick", kTag, "<TD>"},
    {"captionitemClick", kTag, "<CAPTION>"},
    {"N69Click", kPlain, "", "", kText, "表のオプション指定",
     "外枠の太さ・罫線の太さ(pixel)、罫線と項目との間隔、表のサイズ（num/%)、表内の色、位置(left / "
     "center / right)",
     "<TABLE BORDER =\"\" CELLSPACING=\"\" CELLPADDING=\"\" WIDTH=\"\" HEIGHT=\"\" BGCOLOR=\"\" "
     "ALIGN=\"\">"},
    {"N70Click", kPlain, "", "", kText, "列のオプション指定",
     "行揃え(left / center / right)、項目の上下位置(top / middle / bottom / baceline)、表内の色",
     "<TR ALIGN=\"\" VALIGN=\"\" BGCOLOR=\"\">"},
    {"N72Click", kPlain, "", "", kText, "セル項目名のオプション指定",
     "縦に複数のセルにまたがる項目(num)、横に複数のセルにまたがる項目(num)、行揃え(left / center / "
     "right)、項目の上下位置(top / middle / bottom / baceline)、自動改行しない(NOWRAP)、幅・高さ(num)"
     "、セル単位の色変更(color)",
     "<TH "
     "ROWSPAN=\"\" COLSPAN=\"\" ALIGN=\"\" VALIGN=\"\" NOWRAP WIDTH=\"\" HEIGHT=\"\" BGCOLOR=\"\" >"},
    {"N71Click", kPlain, "", "", kText, "セルのオプション指定",
     "縦に複数のセルにまたがる項目(num)、横に複数のセルにまたがる項目(num)、行揃え(left / center / "
     "right)、セルの上下位置(top / middle / bottom / baceline)、自動改行しない(NOWRAP)、幅・高さ(num)"
     "、セル単位の色変更(color)",
     "<TD "
     "ROWSPAN=\"\" COLSPAN=\"\" ALIGN=\"\" VALIGN=\"\" NOWRAP WIDTH=\"\" HEIGHT=\"\" BGCOLOR=\"\" >"},

    // Forms.
    {"FORM1Click", kTag, "", "", kText, "入力フォーム",
     "ACTION=送り先,METHOD=(GET / POST)転送方法,ENCTYPE= (x-www-form-urlencoded)：従来のエンコード"
     "方式,(multipart/foem-data)：MIMEのマルチパートメッセージ",
     "<FORM ACTION=\"\" METHOD=\"\" ENCTYPE=\"\">"},
    {"INPUT1Click", kPlain, "", "", kText, "入力形式",
     "TYPE=text:入力,password:パスワード,checkbox:チェックボックス,radio:ラジオボタン,image:画像の押"
     "された座標,hidden:非表示,submit:送信ボタン,reset:取消ボタン,file:ファイル送信（POST指定) NAME=引"
     "渡し名 VALUE=ボタン文字 SIZE=テキストエリアの幅 SRC=画像指定",
     "<INPUT TYPE=\"\" NAME=\"\" VALUE=\"\" SIZE=\"\" MAXLENGTH=\"\" CHECKED=\"\" SRC=\"\">"},
    {"SELECT1Click", kTag, "", "", kText, "選択メニュー",
     "NAME=入力データの引渡し用の名前を指定,SIZE=表示行数,MULTIPLE=複数選択可能数",
     "<SELECT NAME=\"\" SIZE=\"\" MULTIPLE=\"\">"},
    {"EXTAREA1Click", kTag, "", "", kText, "複数行のテキスト入力エリア",
     "ROWS=縦,COLS=幅,WRAP= off:自動的改行しない hard:自動改行 soft:自動改行(送信時に改行コードを含めな"
     "い)",
     "<TEXTAREA ROWS=\"\" COLS=\"\" WRAP=\"\">"},
    {"OPTION1Click", kTag, "", "", kText, "オプション",
     "SELECTED=デフォルトで選択されている状態,VALUE=サーバーに送られる文字",
     "<OPTION SELECTED=\"\" VALUE=\"\">"},

    // Frames.
    {"FRAME1Click", kTag, "", "", kText, "オプション",
     "ROWS=上下分割指定,COLS=左右分割指定,BORDER=ボーダーの幅,FRAMEBORDER=(yes / no)ボーダーの３Ｄ表示,"
     "BORDERCOLOR=ボーダーの色",
     "<FRAMESET ROWS=\"\" COLS=\"\" BORDER=\"\" FRAMEBORDER=\"\" BORDERCOLOR=\"\">"},
    {"FRAME2Click", kTag, "", "", kText, "フレーム表示",
     "SRC=フレーム内に表示するページ,NAME=フレーム名,MARGINWIDTH=横マージン,MARGINHEIGHT=縦マージン,"
     "SCROLLING=(yes / no / auto)スクロールバーの表示,NORESIZE リサイズ不可,FRAMEBORDER=(yes / no)ボーダ"
     "ーの３Ｄ表示,BORDERCOLOR=ボーダーの色",
     "<FRAME SRC=\"\" NAME=\"\" MARGINWIDTH=\"\" MARGINHEIGHT=\"\" SCROLLING=\"\" NORESIZE "
     "FRAMEBORDER=\"\" BORDERCOLOR=\"\">"},
    {"NOFRAME1Click", kTag, "<NOFRAMES>"},

    // "色の入力": the value alone.
    {"acolorExecute", TTagHow::Direct, "", "", kColor},
};
const std::size_t kTagCommandsSize = std::size(kTagCommands);
