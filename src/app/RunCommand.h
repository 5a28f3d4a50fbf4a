#pragma once
// The one error trap of each command: turns a failure into the message the user sees.
#include <exception>

#include "app/CommandPort.h"
#include "common/Errors.h"

namespace tavrel {

// Runs body(); returns true when it finished. A rejected text (a station text, a pier line) shows its own title
// and text; a file that could not be chosen or opened shows "读取文件被取消！"; every other failure
// "数据文件格式有误或操作有误！", all with the title "错误".
template <class Body>
bool RunCommand(CommandPort& port, Body body) {
    try {
        body();
        return true;
    } catch (const RejectedText& e) {
        port.showMessage(e.title, e.what(), e.errorIcon ? MessageIcon::Error : MessageIcon::None);
    } catch (const InputCancelled&) {
        port.showMessage(kErrorTitle, kCancelledText, MessageIcon::Error);
    } catch (const std::exception&) {
        port.showMessage(kErrorTitle, kFormatErrorText, MessageIcon::Error);
    }
    return false;
}

}  // namespace tavrel
