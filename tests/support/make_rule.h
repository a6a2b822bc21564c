#pragma once

#include "config/rules.h"

#include <cstdint>
#include <string>

// A rule as the tests need it; Reserved and TargetPort keep their defaults.
inline CRule MakeRule(const std::string& name, std::uint32_t first, std::uint32_t last,
                      const std::string& target, bool enable = true) {
    CRule rule;
    rule.Name = name;
    rule.SrcFirstIp = first;
    rule.SrcLastIp = last;
    rule.TargetAddress = target;
    rule.Enable = enable;
    return rule;
}
