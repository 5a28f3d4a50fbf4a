#include "pedestal/Calculate.h"

#include "app/Errors.h"
#include "app/RunCommand.h"

namespace tavrel {

std::optional<CalculationResult> CalculateCommand(AppState& state, const Mode&, CommandPort& port,
                                                  const CalculateOptions&) {
    std::optional<CalculationResult> result;
    RunCommand(state, port, [&] {
        const FileDialogSpec& spec = DialogSpec(DialogId::CommonDialog6);
        if (!port.askFile(spec.id, spec.title, spec.filter)) throw InputCancelled("dialog cancelled");
        throw CalcError("the pedestal calculation is not built yet");
    });
    return result;
}

}  // namespace tavrel
