#include "BuildMenuLists.h"

#include "BackslashToSlash.h"

#include <QStringView>

namespace tierglide {

namespace {

bool isMainMenu(const MenuItem &row) {
    return row.Kind == QStringView(MainMenuKind);
}
bool isSubMenu(const MenuItem &row) {
    return row.Kind == QStringView(SubMenuKind);
}
bool hasLink(const MenuItem &row) {
    return row.Target != QStringView(NoLink);
}

// The end of a row whose text is a link.
void appendLinkEnding(QString &out, const MenuItem &row) {
    out += QStringView(uR"tg(<div align="center"><a href=")tg");
    out += BackslashToSlash(row.Url);
    out += QStringView(uR"tg(" target=")tg");
    out += row.Target;
    out += QStringView(uR"tg(">)tg");
    out += row.Name;
    out += QStringView(u"</a></div></td></tr>\r\n");
}

// The end of a row that shows its name only.
void appendTextEnding(QString &out, const MenuItem &row) {
    out += QStringView(uR"tg(<div align="center">)tg");
    out += row.Name;
    out += QStringView(u"</div></td></tr>\r\n");
}

void appendEnding(QString &out, const MenuItem &row) {
    if (hasLink(row))
        appendLinkEnding(out, row);
    else
        appendTextEnding(out, row);
}

// Opens the hidden panel `menu<block>` beside the main menu at position
// `ordinal` (1-based) among all main menus.
void appendBlockOpening(QString &out, int block, int ordinal, const QString &menuBkColorHex) {
    out += QStringView(uR"tg(<div id="menu)tg");
    out += QString::number(block);
    out += QStringView(uR"tg(" style="position:absolute;top:)tg");
    out += QString::number(20 * (ordinal - 1) + 24);
    out += QStringView(
        uR"tg(px;left:96px; z-index:1; visibility: hidden; width: 105" onMouseOver=this.style.visibility='visible' onMouseOut=this.style.visibility='hidden' class="menuv">)tg"
        "\r\n");
    out += QStringView(
        uR"tg(<table cellspacing=2 width=100 border=0 style="BORDER:#999999 1px solid;cursor:hand" cellpadding="0" bgcolor=")tg");
    out += menuBkColorHex;
    out += QStringView(uR"tg(" align="right">)tg"
                       "\r\n");
}

void appendBlockClosing(QString &out) {
    out += QStringView(u"</table></div>\r\n");
}

void appendSubMenuRow(QString &out, const MenuItem &row) {
    out += QStringView(uR"tg(<tr><td class=normal onMouseDown="this.className='down'" )tg"
                       "\r\n");
    out += QStringView(
        uR"tg(onMouseOver="this.className='up',high(this)" onMouseOut="this.className='normal',low(this)" style="filter:alpha(opacity=50)" onMouseUp="this.className='up'">)tg"
        "\r\n");
    appendLinkEnding(out, row);
}

// A main menu whose row shows and hides the panel `menu<block>`.
void appendMainRowWithSubMenus(QString &out, const MenuItem &row, int block) {
    out += QStringView(
        uR"tg(<tr><td class=normal onMouseDown="this.className='down'" onMouseOver="this.className='up',high(this),Show(menu)tg");
    out += QString::number(block);
    out += QStringView(uR"tg()" onMouseOut="this.className='normal',low(this),menu)tg");
    out += QString::number(block);
    out += QStringView(
        uR"tg(.style.visibility='hidden'" style="filter:alpha(opacity=50)" onMouseUp="this.className='up'">)tg");
    appendEnding(out, row);
}

void appendPlainMainRow(QString &out, const MenuItem &row) {
    out += QStringView(
        uR"tg(<tr><td class=normal onMouseDown="this.className='down'" onMouseOver="this.className='up',high(this)" onMouseOut="this.className='normal',low(this)" style="filter:alpha(opacity=50)"onMouseUp="this.className='up'">)tg");
    appendEnding(out, row);
}

// Reserves room for both lists, so that even lists of many thousand rows
// are written without being copied as they grow: a row's fixed text (head
// and ending, or a panel's opening and closing) takes fewer characters than
// this, besides its own texts.
constexpr qsizetype FixedTextRoom = 400;

void reserveLists(MenuLists &lists, const QList<MenuItem> &rows, qsizetype colourSize) {
    qsizetype main = 0;
    qsizetype sub = 0;
    for (const MenuItem &row : rows) {
        const qsizetype own = row.Name.size() + row.Url.size() + row.Target.size();
        if (isMainMenu(row)) {
            main += FixedTextRoom + own;
            sub += FixedTextRoom + colourSize; // the panel it may open
        } else if (isSubMenu(row)) {
            sub += FixedTextRoom + own;
        }
    }
    lists.MainMenuList.reserve(main);
    lists.SubMenuList.reserve(sub);
}

} // namespace

MenuLists BuildMenuLists(const QList<MenuItem> &rows, const QString &menuBkColorHex) {
    MenuLists lists;
    reserveLists(lists, rows, menuBkColorHex.size());
    int mainMenuOrdinal = 0;
    int subMenuBlockNumber = 0;
    const qsizetype count = rows.size();
    for (qsizetype i = 0; i < count; ++i) {
        const MenuItem &row = rows[i];
        if (!isMainMenu(row))
            continue; // sub-menus are written with their main menu
        ++mainMenuOrdinal;
        if (i + 1 >= count || !isSubMenu(rows[i + 1])) {
            appendPlainMainRow(lists.MainMenuList, row);
            continue;
        }
        ++subMenuBlockNumber;
        appendBlockOpening(lists.SubMenuList, subMenuBlockNumber, mainMenuOrdinal, menuBkColorHex);
        for (qsizetype j = i + 1; j < count; ++j) {
            if (!isSubMenu(rows[j])) {
                appendBlockClosing(lists.SubMenuList);
                break;
            }
            appendSubMenuRow(lists.SubMenuList, rows[j]);
            if (j == count - 1)
                appendBlockClosing(lists.SubMenuList);
        }
        appendMainRowWithSubMenus(lists.MainMenuList, row, subMenuBlockNumber);
    }
    return lists;
}

} // namespace tierglide
