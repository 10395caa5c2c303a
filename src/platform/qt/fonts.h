#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <string_view>

#include "platform/font_spec.h"

namespace palvex {

// The installed face that stands in for a face the control names: a Song
// face for "宋体", Liberation Sans for "Arial", DejaVu Sans for "Tahoma".
QString ResolveFontFamily(const std::u16string& name);

// A text's lines: CR LF, CR and LF each end one.
QStringList TextLines(std::u16string_view text);

// A QFont for a spec; point sizes become pixels through dotsPerInch.
QFont MakeFont(const FontSpec& spec, double dotsPerInch);

}  // namespace palvex
