#include "panel/about_dlg_links.h"

#include "panel/panel_texts.h"

std::wstring LinkShellTarget(std::wstring_view linkText) {
    const std::wstring_view prefix =
        linkText.starts_with(texts::kWwwPrefix) ? texts::kHttpPrefix : std::wstring_view{};
    return std::wstring(prefix).append(linkText);
}

std::wstring WebSiteLinkText() {
    return std::wstring(texts::kWebSiteUrl);
}

std::wstring SupportMailLinkText() {
    return std::wstring(texts::kMailtoPrefix).append(texts::kSupportEmail);
}
