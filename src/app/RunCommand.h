#pragma once
// The one error trap of each command: turns a failure into the message the user sees.
#include <exception>
#include <new>

#include "app/CommandPort.h"
#include "app/Errors.h"
#include "app/ProjectData.h"

namespace tavrel {

// Runs body(); returns true when it finished. A rejected text shows its own title and text and clears
// stationTextValid; a file that could not be chosen or opened shows "读取文件被取消！"; every other failure
// "数据文件格式有误或操作有误！", all with the title "错误".
template <class Body>
bool RunCommand(AppState& state, CommandPort& port, Body body) {
    state.stationTextValid = 1;
    try {
        body();
        return true;
    } catch (const RejectedText& e) {
        state.stationTextValid = 0;
        port.showMessage(e.title, e.what(), e.errorIcon ? MessageIcon::Error : MessageIcon::None);
    } catch (const InputCancelled&) {
        port.showMessage(kErrorTitle, kCancelledText, MessageIcon::Error);
    } catch (const std::exception&) {
        port.showMessage(kErrorTitle, kFormatErrorText, MessageIcon::Error);
    }
    return false;
}

}  // namespace tavrel
