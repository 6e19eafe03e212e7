// The system clipboard as the Copy image command uses it.
#pragma once

class QImage;

constexpr int CF_BITMAP = 2;

void clearClipboard();

// Puts the picture on the clipboard as a bitmap image. A picture without an image is a clipboard
// error rather than an empty image the user would take for a successful copy.
void setClipboardData(const QImage &picture, int format);
