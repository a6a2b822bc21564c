// The rule store on any settings file: what Load makes of it, saved over the same
// file and loaded again, must be the same rules. Load stops at the cap on the rule
// count, so the list saved is never longer than the cap.
#include "config/profile_functions.h"
#include "config/rules.h"
#include "config/settings_names.h"
#include "scratch_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Each rule costs five writes, each of which rewrites the file; counts above this
// make a run too slow to find much, and the cap itself is the ordinary tests' work.
constexpr std::int32_t kMostRulesTried = 64;

bool SameRule(const CRule& a, const CRule& b) {
    return a.Name == b.Name && a.Enable == b.Enable && a.SrcFirstIp == b.SrcFirstIp &&
           a.SrcLastIp == b.SrcLastIp && a.TargetAddress == b.TargetAddress &&
           a.TargetPort == b.TargetPort && a.Reserved == b.Reserved;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFile file("Settings.ini");
    file.Write(std::string(reinterpret_cast<const char*>(data), size));
    if (profile::GetInt(settings::kMainSection, settings::kRulesCountKey, 0, file.Path().c_str()) >
        kMostRulesTried) {
        return -1; // not kept in the corpus
    }
    CRules loaded;
    loaded.Load(file.Path());
    if (loaded.size() > static_cast<std::size_t>(settings::kMaxRulesCount) ||
        loaded.Save(file.Path()) != 0) {
        std::abort();
    }
    CRules again;
    again.Load(file.Path());
    if (again.size() != loaded.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        if (!SameRule(loaded[i], again[i])) {
            std::abort();
        }
    }
    return 0;
}
