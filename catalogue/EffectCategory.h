#pragma once

#include <QString>

// The ten categories, in the order of the category buttons on the main
// window's second toolbar.
enum class EffectCategory : int {
    Good = 0,
    Time,
    Text,
    Mouse,
    Windows,
    Picture,
    Play,
    Menu,
    Other,
    Personal,
};

constexpr int EffectCategoryCount = 10;

struct CategoryInfo {
    const char *section;     // section name, also the prefix of every entry key
    const char16_t *caption; // button caption and count-label prefix
    const char *buttonName;  // objectName of the category's toolbar button
    const char *folder;      // folder of the plain effects' code files; empty for Personal
    const char *catalogue;   // catalogue file, relative to the program folder
};

const CategoryInfo &CategoryInfoOf(EffectCategory category);

inline QString CategorySection(EffectCategory c) {
    return QString::fromLatin1(CategoryInfoOf(c).section);
}
inline QString CategoryCaption(EffectCategory c) {
    return QString::fromUtf16(CategoryInfoOf(c).caption);
}
inline QString CategoryFolder(EffectCategory c) {
    return QString::fromLatin1(CategoryInfoOf(c).folder);
}
