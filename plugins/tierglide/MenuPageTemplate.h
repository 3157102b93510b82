#pragma once

#include <QString>
#include <QStringList>

namespace tierglide {

// The 53 lines of the sliding-menu page with its ten placeholders, without
// line ends.
QStringList MenuPageTemplateLines();

// The same lines, each followed by CR LF: the text GenerateMenuPage fills.
QString MenuPageTemplate();

} // namespace tierglide
