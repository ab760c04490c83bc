// Saving the whole of a rich text as an RTF file the person names.
#pragma once

#include <functional>
#include <string>

namespace tessaly {

class RichTextBox;
struct Services;

// The Save command of a rich-text box: the save dialog, then the box's RTF
// written over the chosen file in one step. Cancel saves nothing and says
// nothing; a failure is reported with Abort, Retry and Ignore, a full disk
// as such.
void saveCommand(RichTextBox& box, Services& services);
// The same for a text shown otherwise: `rtf` gives its document.
void saveCommand(const std::function<std::string()>& rtf, Services& services);

}  // namespace tessaly
