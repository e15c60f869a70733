// The calls the browser layer makes into the page, in page_calls.js.
#pragma once

#include <cstdint>

extern "C" {

// Hands the thread back to the browser for at least that many milliseconds.
void sleepAtLeast(double milliseconds);

// The canvas with the id "window" and its 2D context; 0 if there is none.
int openCanvas();
void closeCanvas();
// The canvas width x height pixels, at a whole number of screen pixels each.
void sizeCanvas(int width, int height);
int pageHidden();
void showFailureBox(const char* caption, const char* text);
// Columns [left, right) of the canvas's top `height` rows from a picture of
// RGBA pixels in the wasm memory (pictureWidth x pictureHeight at pixels),
// its columns from `from` on.
void putCanvasPixels(const void* pixels, int pictureWidth, int pictureHeight, int left, int right,
                     int from, int height);
void fillCanvasWhite(int left, int top, int right, int bottom);
// Hands the fingers on the page's arrow pad to padTouch (platform_messages.cpp):
// the pointer, the name of the arrow its button presses, and 1 for a press,
// 0 for a lift or a cancelled touch.
void listenToPad();
// Reads the gamepads at the browser's indices 0 to pads - 1, each (absent or
// not) handed to gamepadState (platform_messages.cpp). Where the browser
// has no gamepads or refuses them, every pad is absent.
void readGamepads(int pads);
// Shows the view the address's fragment names (#view=crossed), and hands
// the view control's choices to showView (view_control.cpp), keeping the
// fragment in step without adding history.
void listenToViewControl();
}
