#pragma once

class QWidget;

// A small secondary window of fixed client size (in twips): a tool window
// with a title bar holding no text and a close button only, that becomes
// the active window whenever it is shown and is discarded when it closes.
void makeToolWindow(QWidget* window, int widthTwips, int heightTwips);
