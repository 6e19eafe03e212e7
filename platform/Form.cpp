// What every backend's form shares: its controls, found by name.
#include "platform/Form.h"

#include <stdexcept>

Control &Form::controlNamed(std::string_view name) const
{
    const auto found = controls.find(name);
    if (found == controls.end())
        throw std::logic_error("no control is named " + std::string(name));
    return *found->second;
}
