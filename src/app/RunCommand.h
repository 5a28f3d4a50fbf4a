#pragma once
// The one error trap of each command: turns a failure into the message the user sees.
#include <exception>

#include "app/CommandPort.h"
#include "common/Errors.h"

namespace tavrel {

// The text of a message about an input file: its first line, then where in which file ("位置: ...") when known
// ("位置: road.zdm：文件不存在" for a file that could not be read), then the lines that say why.
inline std::string LocatedText(std::string_view text, const TavrelError& e) {
    std::string s(text);
    if (e.where && !e.where->file.empty()) {
        s += "\n" + LocationText(*e.where);
        if (!e.unreadable.empty()) s += "：" + e.unreadable;
    }
    for (const std::string& line : e.why) s += "\n" + line;
    return s;
}

// Runs body(); returns true when it finished. A rejected text (a station text, a pier line) shows its own title
// and text; a file that could not be chosen or opened shows "读取文件被取消！"; a file that could not be written
// its own message; every other failure "数据文件格式有误或操作有误！", all with the title "错误". The first line
// is always that text; a second line says where the fault lies when it lies in an input file.
template <class Body>
bool RunCommand(CommandPort& port, Body body) {
    try {
        body();
        return true;
    } catch (const RejectedText& e) {
        port.showMessage(e.title, LocatedText(e.what(), e), e.errorIcon ? MessageIcon::Error : MessageIcon::None);
    } catch (const InputCancelled& e) {
        port.showMessage(kErrorTitle, LocatedText(kCancelledText, e), MessageIcon::Error);
    } catch (const WriteError& e) {
        port.showMessage(kErrorTitle, e.what(), MessageIcon::Error);
    } catch (const TavrelError& e) {
        port.showMessage(kErrorTitle, LocatedText(kFormatErrorText, e), MessageIcon::Error);
    } catch (const std::exception&) {
        port.showMessage(kErrorTitle, kFormatErrorText, MessageIcon::Error);
    }
    return false;
}

}  // namespace tavrel
