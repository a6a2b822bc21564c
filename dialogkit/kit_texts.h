#pragma once

// The framework's own user-visible texts.

// Shown, followed by the exception's text, when a message handler fails unexpectedly.
inline constexpr wchar_t kTextUnexpectedError[] = L"An unexpected error occurred: ";
