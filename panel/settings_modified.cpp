#include "panel/settings_modified.h"

bool g_bSettingsModified = false;
