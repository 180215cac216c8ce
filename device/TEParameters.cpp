#include "TEParameters.h"

#include <algorithm>
#include <cmath>

namespace tedevice {

// An amplifier's controls, meters and spare registers.
TEParameters::TEParameters()
    : m_Parameters{
          {"Ch1.Gain", -80.0, 12.0, 0.0},      {"Ch2.Gain", -80.0, 12.0, 0.0},
          {"Ch1.Mute", 0.0, 1.0, 0.0},         {"Ch2.Mute", 0.0, 1.0, 0.0},
          {"Ch1.Level", -120.0, 20.0, -120.0}, {"Ch2.Level", -120.0, 20.0, -120.0},
          {"Amp.Temperature", 0.0, 120.0, 35.0}, {"Amp.Standby", 0.0, 1.0, 0.0},
          {"Gpio.In1", 0.0, 1.0, 0.0},         {"Gpio.In2", 0.0, 1.0, 0.0},
          {"Gpio.Out1", 0.0, 1.0, 0.0},        {"Gpio.Out2", 0.0, 1.0, 0.0},
          {"User.A", -1e6, 1e6, 0.0},          {"User.B", -1e6, 1e6, 0.0},
          {"User.C", -1e6, 1e6, 0.0},          {"User.D", -1e6, 1e6, 0.0},
      }
{
}

const TEParameter* TEParameters::Find(std::string_view name) const
{
    auto it = std::find_if(m_Parameters.begin(), m_Parameters.end(),
                           [&](const TEParameter& parameter) { return parameter.name == name; });
    return it == m_Parameters.end() ? nullptr : &*it;
}

TEParameter* TEParameters::FindMutable(std::string_view name)
{
    return const_cast<TEParameter*>(Find(name));
}

std::optional<double> TEParameters::Value(std::string_view name) const
{
    const TEParameter* parameter = Find(name);
    return parameter ? std::optional<double>(parameter->value) : std::nullopt;
}

bool TEParameters::Set(std::string_view name, double value)
{
    TEParameter* parameter = FindMutable(name);
    if (!parameter || !(value >= parameter->minimum && value <= parameter->maximum))
        return false;
    parameter->value = value;
    return true;
}

bool TEParameters::Drive(std::string_view name, double value)
{
    TEParameter* parameter = FindMutable(name);
    if (!parameter || std::isnan(value))
        return false;
    parameter->value = std::clamp(value, parameter->minimum, parameter->maximum);
    return true;
}

}  // namespace tedevice
