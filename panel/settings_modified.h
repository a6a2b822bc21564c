#pragma once

// True while the rule list in memory differs from what was last saved: set by the
// Proxy page at every change of the list, cleared when Start saves it, read by the
// main window when the user leaves with OK. User-interface thread only.
extern bool g_bSettingsModified;
