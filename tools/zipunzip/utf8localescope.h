#pragma once

#include <locale.h>

// Switches the calling thread to a UTF-8 LC_CTYPE for its lifetime when the
// current one is not UTF-8: libarchive converts entry names to the current
// codeset and loses non-ASCII names otherwise. Thread-local, so callers
// elsewhere in the process are unaffected.
class Utf8LocaleScope
{
public:
    Utf8LocaleScope();
    ~Utf8LocaleScope();
    Utf8LocaleScope(const Utf8LocaleScope&) = delete;
    Utf8LocaleScope& operator=(const Utf8LocaleScope&) = delete;

    static bool currentCodesetIsUtf8();

private:
    locale_t m_previous = nullptr;
    locale_t m_utf8 = nullptr;
};
