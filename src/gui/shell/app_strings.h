#pragma once

#include <QString>

namespace wb::gui {

// The program's own string table: menu prompts ("prompt\ntool tip"), indicator texts and
// the document template's string. Empty for an unknown identifier.
QString AppString(int id);

// The first line of a command's string: the status-bar prompt.
QString PromptOf(int id);
// The second line: the tool tip; empty when the string has only one line.
QString ToolTipOf(int id);

// The seven fields of the document template's string (window title, document name,
// new-file type name, filter name, filter extension, shell type id, shell type name).
enum class DocString {
    WindowTitle,
    DocName,
    FileNewName,
    FilterName,
    FilterExt,
    RegFileTypeId,
    RegFileTypeName
};
QString DocTemplateString(DocString field);

}  // namespace wb::gui
