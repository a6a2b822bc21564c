#include "panel/link_target.h"

#include "panel/panel_texts.h"

std::wstring LinkShellTarget(std::wstring_view linkText) {
    std::wstring target;
    if (linkText.starts_with(texts::kWwwPrefix)) {
        target = texts::kHttpPrefix;
    }
    target += linkText;
    return target;
}

std::wstring WebSiteLinkText() {
    return std::wstring(texts::kWebSiteUrl);
}

std::wstring SupportMailLinkText() {
    std::wstring text(texts::kMailtoPrefix);
    text += texts::kSupportEmail;
    return text;
}
