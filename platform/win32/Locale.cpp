// The user's decimal separator from the regional settings.
#include "platform/Locale.h"

#include "platform/win32/Text.h"

std::string userDecimalSeparator()
{
    wchar_t separator[8] {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1)
        return ".";
    return toUtf8(separator);
}
