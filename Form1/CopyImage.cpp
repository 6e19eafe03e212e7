// Copy image: the window's client area to the clipboard.
#include "Form1/Form1.h"
#include "Module1/Module1.h"
#include "platform/Clipboard.h"

void Form1::Command1_Click()
{
    // Emptied first, so that a capture that fails leaves nothing stale behind.
    clearClipboard();
    const Picture picture = CaptureFormImage(*this);
    setClipboardData(picture, CF_BITMAP);
}
