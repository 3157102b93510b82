#include "MenuPageTemplate.h"

#include <QLatin1String>

#include <iterator>

namespace tierglide {

QStringList MenuPageTemplateLines() {
    // The page of the sliding menu. The floating panel "plane" slides up to
    // the top after loading, follows the mouse while dragged, and shows a
    // main menu's panel "menuN" beside it while the mouse is over that menu.
    // The starred words are filled in by GenerateMenuPage.
    static const char *const lines[] = {
        R"tg(<head>)tg",
        R"tg(<style>)tg",
        R"tg(body,td,a {font-size:9pt;color:#*MENUFONTCOLOR*;text-decoration:none})tg",
        R"tg(.normal {padding:2px})tg",
        R"tg(.up {padding:1px;border:#*MENUOVERBORDERCOLOR* 1px solid;background:#*MENUOVERBKCOLOR*})tg",
        R"tg(.down {padding:1px;border:dbdbdb 1px solid;background:dbdbdb})tg",
        R"tg(.menuv {filter: revealTrans(transition=23,duration=0.5);padding:2px})tg",
        R"tg(</style>)tg",
        R"tg(</head>)tg",
        R"tg()tg",
        R"tg(<body onmousemove="move()" onload=bodyload()>)tg",
        R"tg(<script>)tg",
        R"tg(//闪烁的表格边框)tg",
        R"tg(function flashit(){if(!document.all)return;if (td123.style.borderColor=="black")td123.style.borderColor="#999999";else td123.style.borderColor="black"}setInterval("flashit()",500))tg",
        R"tg(//渐入的效果,改变alpha值)tg",
        R"tg(function high(image){theobject=image,highlighting=setInterval("highlightit(theobject)",100)}function low(image){clearInterval(highlighting),image.filters.alpha.opacity=50}function highlightit(cur2){if (cur2.filters.alpha.opacity<100)cur2.filters.alpha.opacity+=20;else if(window.highlighting)clearInterval (highlighting)})tg",
        R"tg(//拖动层的js)tg",
        R"tg(var over=false,down=false,divleft,divtop;function move(){if(down){plane.style.left=event.clientX-divleft;plane.style.top=event.clientY-divtop;}})tg",
        R"tg(//滑动层)tg",
        R"tg(function bodyload())tg",
        R"tg({)tg",
        R"tg(if(plane.style.pixelTop!=0))tg",
        R"tg({)tg",
        R"tg(plane.style.pixelTop-=10)tg",
        R"tg(setTimeout('bodyload()',1))tg",
        R"tg(})tg",
        R"tg(})tg",
        R"tg(//渐变显示层)tg",
        R"tg(function Show(divid) {)tg",
        R"tg(divid.filters.revealTrans.apply();)tg",
        R"tg(divid.style.visibility = "visible";)tg",
        R"tg(divid.filters.revealTrans.play();)tg",
        R"tg(})tg",
        R"tg(function Hide(divid) {)tg",
        R"tg(divid.filters.revealTrans.apply();)tg",
        R"tg(divid.style.visibility = "hidden";)tg",
        R"tg(divid.filters.revealTrans.play();)tg",
        R"tg(})tg",
        R"tg(<!-- 此特效使用《妙码工坊》编辑制作-->)tg",
        R"tg(<!-- 禾川软件 http://www.hechuan.example/ 出品 -->)tg",
        R"tg(</script>)tg",
        R"tg(<div style="position:absolute;z-index:1;width:1;height:1; left: 0; top: 500" ID=plane onmousedown="down=true;divleft=event.clientX-parseInt(plane.style.left);divtop=event.clientY-parseInt(plane.style.top)" onmouseup="down=false">)tg",
        R"tg(<table id="td123" cellspacing=2 width=100 border=0 style="BORDER:#999999 1px solid;cursor:hand" cellpadding="0" bgcolor="*MENUBKCOLOR*">)tg",
        R"tg(<tr>)tg",
        R"tg(<td bgcolor="#*MENUBARBKCOLOR*" height="20" style="BORDER:#*MENUBARBORDERCOLOR* 1px solid;cursor:move">)tg",
        R"tg(<div align="center"><font color="#*MENUBARFONTCOLOR*">*MENUBARTEXT*</font></div>)tg",
        R"tg(</td>)tg",
        R"tg(</tr>)tg",
        R"tg(*MAINMENULIST*</table>)tg",
        R"tg()tg",
        R"tg(*SUBMENULIST*)tg",
        R"tg(</div>)tg",
        R"tg(<body>)tg",
    };
    QStringList result;
    result.reserve(int(std::size(lines)));
    for (const char *line : lines)
        result.append(QString::fromUtf8(line));
    return result;
}

QString MenuPageTemplate() {
    QString text;
    for (const QString &line : MenuPageTemplateLines()) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

} // namespace tierglide
