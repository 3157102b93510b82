#include "catalogue/EffectCategory.h"

namespace {
const CategoryInfo kCategories[EffectCategoryCount] = {
    {"Good", u"妙码特效", "ToolButton_Good", "system/", "system/efx.tvo"},
    {"Time", u"时间特效", "ToolButton_Time", "time/", "system/efx.tvo"},
    {"Text", u"文字特效", "ToolButton_Text", "text/", "system/efx.tvo"},
    {"Mouse", u"鼠标特效", "ToolButton_Mouse", "mouse/", "system/efx.tvo"},
    {"Windows", u"窗口特效", "ToolButton_Windows", "windows/", "system/efx.tvo"},
    {"Picture", u"图片特效", "ToolButton_Picture", "picture/", "system/efx.tvo"},
    {"Play", u"娱乐特效", "ToolButton_Play", "play/", "system/efx.tvo"},
    {"Menu", u"菜单特效", "ToolButton_Menu", "Menu/", "system/efx.tvo"},
    {"Other", u"其他特效", "ToolButton_Other", "other/", "system/efx.tvo"},
    {"Personal", u"个人特效", "ToolButton_Personal", "", "system/personal.tvo"},
};
} // namespace

const CategoryInfo &CategoryInfoOf(EffectCategory category) {
    return kCategories[static_cast<int>(category)];
}
