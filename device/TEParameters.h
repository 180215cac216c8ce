// The named parameters of the device: what input blocks read, output blocks
// write and clients set from outside ("Param.<name>"). Each has a range;
// writes from outside the range are refused, values an output block
// computes are clamped into it. The set and its ranges: docs/device.md.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tedevice {

struct TEParameter {
    std::string name;
    double minimum = 0.0;
    double maximum = 0.0;
    double value = 0.0;
};

class TEParameters {
public:
    TEParameters();

    const TEParameter* Find(std::string_view name) const;
    std::optional<double> Value(std::string_view name) const;
    // False for an unknown name or a value outside the range (or NaN).
    bool Set(std::string_view name, double value);
    // Clamps into the range; false for an unknown name or NaN.
    bool Drive(std::string_view name, double value);
    const std::vector<TEParameter>& All() const { return m_Parameters; }

private:
    TEParameter* FindMutable(std::string_view name);

    std::vector<TEParameter> m_Parameters;
};

}  // namespace tedevice
