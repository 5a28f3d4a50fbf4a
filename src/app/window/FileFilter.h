#pragma once
// File-dialog filters: the commands give them as "description|patterns|description|patterns" with patterns
// separated by ";"; Qt's file dialog takes "description (patterns);;description (patterns)" with patterns
// separated by blanks, and reads the last "(...)" of an entry as its patterns.
#include <string_view>

#include <QString>

namespace tavrel::window {

// The same entries in Qt's syntax: each description as written, followed by its patterns in parentheses.
// "*.*" becomes "*" (on Linux "*.*" would hide files without an extension). An empty filter gives "".
// "文本文件(*.txt;*.dl)|*.txt;*.dl|所有文件（*.*)|*.*" -> "文本文件(*.txt;*.dl) (*.txt *.dl);;所有文件（*.*) (*)".
QString QtFileFilter(std::string_view filter);

}  // namespace tavrel::window
