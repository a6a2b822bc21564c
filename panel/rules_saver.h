#pragma once

// What the main window asks of the Proxy page when the user leaves with OK.
class IRulesSaver {
public:
    virtual ~IRulesSaver() = default;
    // Whether the rule list in memory differs from what was last saved.
    virtual bool AreRulesModified() const = 0;
    // Writes the rule list to the settings file. On failure the user has been told
    // and false is returned, so nothing is lost silently.
    virtual bool SaveRules() = 0;
};
