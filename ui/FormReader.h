#pragma once
// Reads a form description (the text format documented in FormReader.cpp) into a root
// component: creates the components it lists, sets their properties, and calls Loaded.
#include <string>
#include <string_view>

#include "ui/Classes.h"

namespace ui {

// Raises EReadError ("Line 12: ...") on any fault; the components it created are freed again
// and no Loaded runs.
void ReadComponentText(TComponent& Root, std::u16string_view Text);
// The same for UTF-8 text (a leading byte-order mark is skipped).
void ReadComponentUtf8(TComponent& Root, std::string_view Text);
// The same for the embedded resource `ResourceName` (EReadError when it is absent).
void ReadComponentRes(TComponent& Root, const std::string& ResourceName);

}  // namespace ui
