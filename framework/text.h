#pragma once

// The framework's names for the conversions between text and numbers and
// for what Unicode says of text: plain C++ (text/), which the engine uses
// without the framework, and the window's code as the framework's.
#include "text/characters.h"
#include "text/numbers.h"
#include "text/unicode.h"

namespace fw {

using text::Chr;
using text::ComposedCodePoints;
using text::Format;
using text::Graphemes;
using text::IsWhiteSpace;
using text::Mid;
using text::ReadableName;
using text::SameText;
using text::ShowsItself;
using text::Str;
using text::ToInt32;
using text::Val;

} // namespace fw
