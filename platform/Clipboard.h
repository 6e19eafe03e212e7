// The system clipboard as the Copy image command uses it.
#pragma once

class Picture;

constexpr int CF_BITMAP = 2;

void clearClipboard();

// Puts the picture on the clipboard as a bitmap image. An empty picture is a clipboard error
// rather than an empty image the user would take for a successful copy.
void setClipboardData(const Picture &picture, int format);
