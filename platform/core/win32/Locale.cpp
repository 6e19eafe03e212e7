// The user's decimal separator from the regional settings.
#include "platform/core/Locale.h"

#include "platform/core/win32/Text.h"

std::string userDecimalSeparator()
{
    wchar_t separator[8] {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1)
        return ".";
    return toUtf8(separator);
}
