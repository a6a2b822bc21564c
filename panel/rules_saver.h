#pragma once

// The save that the main window offers when the user leaves with OK.
class IRulesSaver {
public:
    virtual ~IRulesSaver() = default;
    // Writes the rule list to the settings file. On failure the user has been told
    // and false is returned, so nothing is lost silently.
    virtual bool SaveRules() = 0;
};
