#include "utf8localescope.h"

#include <langinfo.h>
#include <strings.h>

Utf8LocaleScope::Utf8LocaleScope()
{
    if (currentCodesetIsUtf8())
        return;
    locale_t base = duplocale(uselocale(locale_t(nullptr)));
    if (!base)
        return;
    m_utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", base);
    if (!m_utf8) {
        freelocale(base);
        return;
    }
    m_previous = uselocale(m_utf8);
}

Utf8LocaleScope::~Utf8LocaleScope()
{
    if (!m_utf8)
        return;
    uselocale(m_previous);
    freelocale(m_utf8);
}

bool Utf8LocaleScope::currentCodesetIsUtf8()
{
    const char* codeset = nl_langinfo(CODESET);
    return codeset && (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "UTF8") == 0);
}
