#pragma once

#include <string>
#include <string_view>

// What the shell opens for a clicked link of the About box: a text beginning with
// "www" gets "http://" in front; anything else goes as it is.
std::wstring LinkShellTarget(std::wstring_view linkText);

// The About box's two link texts.
std::wstring WebSiteLinkText();
std::wstring SupportMailLinkText();
