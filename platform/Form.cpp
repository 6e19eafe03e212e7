// What every backend's form shares: its controls, found by name.
#include "platform/Form.h"

#include <stdexcept>

namespace {

ControlCreationHook &controlCreationHook()
{
    static ControlCreationHook hook;
    return hook;
}

} // namespace

void setControlCreationHook(ControlCreationHook hook) { controlCreationHook() = std::move(hook); }

void runControlCreationHook(const ControlRow &row)
{
    if (controlCreationHook())
        controlCreationHook()(row);
}

Control &Form::controlNamed(std::string_view name) const
{
    const auto found = controls_.find(name);
    if (found == controls_.end())
        throw std::logic_error("no control is named " + std::string(name));
    return *found->second;
}
