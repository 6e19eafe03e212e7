/* Prints the text of each visible message box with the given title, one a line, in UTF-8.
 * Wine's message box copies nothing on Ctrl+C, so the end-to-end tests read what it shows
 * through the window manager, as a screen reader would. Built for Windows, run under Wine. */
#include <windows.h>
#include <stdio.h>

#define MESSAGE_TEXT_ID 0xFFFF /* the static control that holds a message box's text */

static BOOL CALLBACK print_if_message_box(HWND window, LPARAM title)
{
    wchar_t class_name[16], text[4096];
    char utf8[3 * 4096];
    if (!IsWindowVisible(window) || !GetClassNameW(window, class_name, 16)
        || wcscmp(class_name, L"#32770") != 0 || !GetWindowTextW(window, text, 4096)
        || wcscmp(text, (const wchar_t *)title) != 0)
        return TRUE;
    HWND label = GetDlgItem(window, MESSAGE_TEXT_ID);
    if (!label || !GetWindowTextW(label, text, 4096))
        return TRUE;
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    if (length > 0)
        printf("%s\n", utf8);
    return TRUE;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: wintext TITLE\n");
        return 2;
    }
    EnumWindows(print_if_message_box, (LPARAM)argv[1]);
    return 0;
}
